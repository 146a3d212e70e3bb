#pragma once

#include <cstdint>
#include <new>
#include <string>

#include "hunk_kind.h"
#include "line_text.h"

namespace klu {

class THunk;

// A line of text; the base of everything in a loaded tree.
class TKLUObject {
  public:
    explicit TKLUObject(TLineText text = {}) : title(std::move(text)) {}
    TKLUObject(const TKLUObject&) = delete;
    TKLUObject& operator=(const TKLUObject&) = delete;
    virtual ~TKLUObject() = default;

    // Deleting an object ends its life; its memory goes back to the heap unless it lies in the
    // arena of a document, which frees it with the document (inArena).
    static void operator delete(TKLUObject* object, std::destroying_delete_t) {
        const bool in_arena = object->inArena;
        object->~TKLUObject();
        if (!in_arena) ::operator delete(object);
    }
    // For a new-expression whose constructor throws.
    static void operator delete(void* block) { ::operator delete(block); }

    virtual std::string GetName() const { return title.str(); }
    virtual void SetName(std::string name) { title = name; }
    virtual int GetType() const { return ABSTRACT; }
    virtual bool IsHunk() const { return false; }
    virtual int Open() { return 0; }
    // The object as a hunk of the tree, or none. Entries of a folder listing show as links
    // (IsHunk) without being hunks, so walkers of the tree ask this rather than IsHunk.
    virtual THunk* AsHunk() { return nullptr; }

    TLineText title;
    // Layout flags, set when the object is appended to a hunk.
    // Bits, so that with the title they fill the sixteen bytes after the object's vtable pointer:
    // a tree holds one object per line.
    uint8_t hardBreak : 1 = 0;       // the line ends here when text is flowed
    uint8_t isSeparator : 1 = 0;     // a "-" between two hints
    uint8_t wrap : 1 = 1;            // may be word-wrapped at the window edge
    uint8_t altFont : 1 = 0;         // shown in the view's second font
    uint8_t endsSourceLine : 1 = 0;  // joining it with the next line puts a blank between them
    uint8_t inArena : 1 = 0;         // made in a document's TreeArena
};

// The layout flags set on an object, as letters in the fixed order H S W F E.
inline std::string FlagLetters(const TKLUObject& object) {
    std::string letters;
    if (object.hardBreak) letters += 'H';
    if (object.isSeparator) letters += 'S';
    if (object.wrap) letters += 'W';
    if (object.altFont) letters += 'F';
    if (object.endsSourceLine) letters += 'E';
    return letters;
}

// One body line of a hunk, decoded.
class THunkLine : public TKLUObject {
  public:
    using TKLUObject::TKLUObject;
};

}  // namespace klu
