#include "klu_object.h"

namespace klu {

void* TKLUObject::operator new(size_t size) {
    return ::operator new(size);
}

// A node's TKLUObject lies after its table pointer: the node is found from the object by a
// static cast, which knows the offset.
void TKLUObject::operator delete(TKLUObject* object, std::destroying_delete_t) {
    if (object->isNode) {
        TNode::operator delete(static_cast<TNode*>(object), std::destroying_delete_t{});
        return;
    }
    const bool in_arena = object->inArena;
    object->~TKLUObject();
    if (!in_arena) ::operator delete(object);
}

void TKLUObject::operator delete(void* block) {
    ::operator delete(block);
}

void TNode::operator delete(TNode* node, std::destroying_delete_t) {
    const bool in_arena = node->inArena;
    void* whole = dynamic_cast<void*>(node);
    node->~TNode();
    if (!in_arena) ::operator delete(whole);
}

void TNode::operator delete(void* block) {
    ::operator delete(block);
}

void* TNode::operator new(size_t size) {
    return ::operator new(size);
}

}  // namespace klu
