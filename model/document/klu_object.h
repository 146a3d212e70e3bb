#pragma once

#include <cstdint>
#include <new>
#include <string>

#include "model/format/hunk_kind.h"
#include "model/document/line_text.h"

namespace klu {

class Hunk;

class TreeNode;

// A line of text; the base of everything in a loaded tree. A line is no more than its text and
// layout flags, with no table of virtual functions: a tree holds one per line. Hunks and the
// entries of a folder listing are nodes (TreeNode, isNode set), which add the virtual functions;
// the calls below go to a node's own.
class KLUObject {
  public:
    explicit KLUObject(LineText text = {}) : title(std::move(text)) {}
    KLUObject(const KLUObject&) = delete;
    KLUObject& operator=(const KLUObject&) = delete;
    // Not virtual: delete finds a node's own destructor through isNode.
    ~KLUObject() = default;

    // Deleting an object ends its life, as a node's whole object when it is one; its memory goes
    // back to the heap unless it lies in the arena of a document, which frees it with the
    // document (inArena).
    static void operator delete(KLUObject* object, std::destroying_delete_t);
    // For a new-expression whose constructor throws.
    static void operator delete(void* block);
    // The heap's and the arena's (placement), declared beside the delete above that frees them.
    static void* operator new(size_t size);
    static void* operator new(size_t, void* place) noexcept { return place; }

    std::string GetName() const;
    void SetName(std::string name);
    HunkKind GetType() const;
    bool IsHunk() const;
    void Open();
    // The object as a hunk of the tree, or none. Entries of a folder listing show as links
    // (IsHunk) without being hunks, so walkers of the tree ask this rather than IsHunk.
    Hunk* AsHunk();
    const Hunk* AsHunk() const { return const_cast<KLUObject*>(this)->AsHunk(); }

    // Layout flags, set when the object is appended to a hunk.
    // Bits, so that with the title a line takes thirteen bytes.
    uint8_t hardBreak : 1 = 0;       // the line ends here when text is flowed
    uint8_t isSeparator : 1 = 0;     // a "-" between two hints
    uint8_t wrap : 1 = 1;            // may be word-wrapped at the window edge
    uint8_t altFont : 1 = 0;         // shown in the view's second font
    uint8_t endsSourceLine : 1 = 0;  // joining it with the next line puts a blank between them
    uint8_t inArena : 1 = 0;         // made in a document's TreeArena
    uint8_t isNode : 1 = 0;          // a TreeNode
    uint8_t isFlattened : 1 = 0;     // made by flattening a tree, owned by the flattened text
    // Last, so that a line of a loaded tree can hold its text inline, at the end of its block.
    LineText title;
} __attribute__((packed));  // thirteen bytes (a loaded line: five and its text), end to end

// A hunk, or an entry of a folder listing: an object with behaviour of its own.
class TreeNode : public KLUObject {
  public:
    explicit TreeNode(LineText text = {}) : KLUObject(std::move(text)) { isNode = 1; }
    virtual ~TreeNode() = default;

    // As a line's, for the whole node.
    static void operator delete(TreeNode* node, std::destroying_delete_t);
    static void operator delete(void* block);
    static void* operator new(size_t size);
    static void* operator new(size_t, void* place) noexcept { return place; }

    virtual std::string GetName() const { return title.str(); }
    virtual void SetName(std::string name) { title = name; }
    virtual HunkKind GetType() const { return ABSTRACT; }
    virtual bool IsHunk() const { return false; }
    virtual void Open() {}
    virtual Hunk* AsHunk() { return nullptr; }
};

// The object as a node of class Node (a dynamic_cast for objects of a tree), or none: a line is
// no node, and neither is a null pointer.
template <typename Node>
Node* NodeCast(KLUObject* object) {
    return object && object->isNode ? dynamic_cast<Node*>(static_cast<TreeNode*>(object)) : nullptr;
}
template <typename Node>
const Node* NodeCast(const KLUObject* object) {
    return NodeCast<const Node>(const_cast<KLUObject*>(object));
}

inline std::string KLUObject::GetName() const {
    return isNode ? static_cast<const TreeNode*>(this)->GetName() : title.str();
}
inline void KLUObject::SetName(std::string name) {
    if (isNode) {
        static_cast<TreeNode*>(this)->SetName(std::move(name));
    } else {
        title = name;
    }
}
inline HunkKind KLUObject::GetType() const {
    return isNode ? static_cast<const TreeNode*>(this)->GetType() : ABSTRACT;
}
inline bool KLUObject::IsHunk() const {
    return isNode && static_cast<const TreeNode*>(this)->IsHunk();
}
inline void KLUObject::Open() {
    if (isNode) static_cast<TreeNode*>(this)->Open();
}
inline Hunk* KLUObject::AsHunk() { return isNode ? static_cast<TreeNode*>(this)->AsHunk() : nullptr; }

// The layout flags set on an object, as letters in the fixed order H S W F E.
inline std::string FlagLetters(const KLUObject& object) {
    std::string letters;
    if (object.hardBreak) letters += 'H';
    if (object.isSeparator) letters += 'S';
    if (object.wrap) letters += 'W';
    if (object.altFont) letters += 'F';
    if (object.endsSourceLine) letters += 'E';
    return letters;
}

// One body line of a hunk, decoded.
class HunkLine : public KLUObject {
  public:
    using KLUObject::KLUObject;
};

// What ends one hint of a question and begins the next: a separator line, and nothing else. A
// hunk never does, whatever its title, and neither does a hint line that merely reads "-". The
// hint count, the reveal, the hint memory, both exports and the outlines all ask this.
inline bool SeparatesHints(const KLUObject& object) {
    return object.isSeparator && !object.IsHunk();
}

// What a window shows as a link to open: every hunk but an incentive, which opens nothing and
// so shows as plain text.
inline bool ShowsAsLink(const KLUObject& object) {
    return object.IsHunk() && object.GetType() != INCENTIVE;
}

// A separator line ("-", isSeparator) with the layout flags of like, shared by every tree that
// holds one: a hint file has one between any two hints, and a separator is no more than its
// flags. A shared separator is never changed (a hunk swaps in the one with the new flags instead)
// and never freed: delete leaves it alone.
HunkLine* SharedSeparator(const KLUObject& like);
bool IsSharedSeparator(const KLUObject* object);

}  // namespace klu
