#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace klu::cli {

// Writes JSON as it goes, laid out as nlohmann::json's dump(2) lays it out (two spaces a level,
// "[]" and "{}" when empty, the same escapes), so a large tree never stands whole in memory.
// Output is gathered in a buffer of its own and handed to the stream in large pieces.
class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;
    ~JsonWriter() { Flush(); }

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    // Starts a member of the open object; its value follows.
    void Key(std::string_view name);
    // Starts an element of the open array; its value follows.
    void Item();

    // Values. Text must be UTF-8.
    void String(std::string_view text);
    void Number(int64_t value) { buffer_ += std::to_string(value); }

    // Hands what is buffered to the stream.
    void Flush();

  private:
    void Open(char bracket);
    void Close(char bracket);
    void NextElement();

    std::ostream& out_;
    std::string buffer_;
    std::vector<size_t> counts_;  // elements written so far, per open container
};

}  // namespace klu::cli
