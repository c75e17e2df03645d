// CNode: an intrusive tree node. Children form a circular doubly linked ring
// whose first member is the parent's `child`; a node owns its children.
#pragma once

class CNode {
public:
    CNode();
    // Detaches the node, then destroys its children one by one, so the
    // whole subtree goes with it.
    virtual ~CNode();

    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;

    // Moves the node (with its subtree) to the end of newParent's ring; a null
    // parent only detaches it.
    void AttachTo(CNode* newParent);
    // Takes the node out of its parent's ring; it becomes a free root.
    void Detach();

    bool HasParent() const { return parent != nullptr; }
    bool HasChild() const { return child != nullptr; }
    bool IsLastChild() const;
    CNode* GetRoot();

    // The links are read freely but only changed by AttachTo and Detach.
    CNode* parent = nullptr;
    CNode* child = nullptr;
    CNode* prev = this;
    CNode* next = this;
};
