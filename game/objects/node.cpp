// The ring operations of CNode.
#include "game/objects/node.h"

CNode::CNode() = default;

CNode::~CNode() {
    Detach();
    while (child != nullptr) delete child;  // each child detaches itself
}

void CNode::AttachTo(CNode* newParent) {
    if (HasParent()) Detach();
    if (newParent == nullptr) return;
    parent = newParent;
    CNode* first = newParent->child;
    if (first == nullptr) {
        newParent->child = this;
        return;
    }
    CNode* last = first->prev;
    prev = last;
    next = first;
    last->next = this;
    first->prev = this;
}

void CNode::Detach() {
    if (parent != nullptr && parent->child == this) parent->child = (next == this) ? nullptr : next;
    prev->next = next;
    next->prev = prev;
    prev = this;
    next = this;
    // A detached node must not keep a link to a tree it no longer belongs
    // to: that tree may be destroyed before the node is.
    parent = nullptr;
}

bool CNode::IsLastChild() const {
    return parent != nullptr && parent->child->prev == this;
}

CNode* CNode::GetRoot() { return parent == nullptr ? this : parent->GetRoot(); }
