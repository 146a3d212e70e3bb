#pragma once

namespace klu {

// The window commands (Save Window, Print Window, Copy to Clipboard) belong to the active child
// window. A child's widget that implements this takes part in the command chain; a child that
// does not leaves those commands disabled.
class ViewCommands {
  public:
    virtual ~ViewCommands() = default;
    virtual bool HandlesCommand(int id) const = 0;
    virtual void DoCommand(int id) = 0;
};

}  // namespace klu
