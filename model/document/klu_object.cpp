#include "model/document/klu_object.h"

#include <array>
#include <cstdint>

namespace klu {
namespace {

// One separator for each combination of the four layout flags a hunk sets.
constexpr size_t kSeparatorKinds = 16;

size_t SeparatorKind(const KLUObject& object) {
    return size_t{object.hardBreak} | size_t{object.wrap} << 1 | size_t{object.altFont} << 2 |
           size_t{object.endsSourceLine} << 3;
}

struct SharedSeparators {
    std::array<HunkLine, kSeparatorKinds> lines;
    SharedSeparators() {
        for (size_t kind = 0; kind < kSeparatorKinds; ++kind) {
            HunkLine& line = lines[kind];
            line.title = LineText::Borrowed("-");
            line.isSeparator = 1;
            line.hardBreak = kind & 1;
            line.wrap = (kind >> 1) & 1;
            line.altFont = (kind >> 2) & 1;
            line.endsSourceLine = (kind >> 3) & 1;
        }
    }
};

SharedSeparators& Separators() {
    static SharedSeparators separators;
    return separators;
}

}  // namespace

HunkLine* SharedSeparator(const KLUObject& like) {
    return &Separators().lines[SeparatorKind(like)];
}

bool IsSharedSeparator(const KLUObject* object) {
    const auto& lines = Separators().lines;
    const auto address = reinterpret_cast<uintptr_t>(object);
    const auto first = reinterpret_cast<uintptr_t>(lines.data());
    return address >= first && address < first + sizeof lines;
}

void* KLUObject::operator new(size_t size) {
    return ::operator new(size);
}

// A node's KLUObject lies after its table pointer: the node is found from the object by a
// static cast, which knows the offset.
void KLUObject::operator delete(KLUObject* object, std::destroying_delete_t) {
    if (IsSharedSeparator(object)) return;
    if (object->isNode) {
        TreeNode::operator delete(static_cast<TreeNode*>(object), std::destroying_delete_t{});
        return;
    }
    const bool in_arena = object->inArena;
    object->~KLUObject();
    if (!in_arena) ::operator delete(object);
}

void KLUObject::operator delete(void* block) {
    ::operator delete(block);
}

void TreeNode::operator delete(TreeNode* node, std::destroying_delete_t) {
    const bool in_arena = node->inArena;
    void* whole = dynamic_cast<void*>(node);
    node->~TreeNode();
    if (!in_arena) ::operator delete(whole);
}

void TreeNode::operator delete(void* block) {
    ::operator delete(block);
}

void* TreeNode::operator new(size_t size) {
    return ::operator new(size);
}

}  // namespace klu
