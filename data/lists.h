// Singly linked lists of owning strings and of string pairs.
#pragma once
#include <cstdint>
#include "data/strings.h"

struct StringPair {
    WideString first;
    WideString second;
};

struct StringNode {
    WideString text;
    StringNode* next = nullptr;
};

struct PairNode {
    StringPair pair;
    PairNode* next = nullptr;
};

// The list header shared by both kinds: head, tail, cursor, count, in this order. Nodes are freed
// one by one in a loop, so even a list of many thousand words is released without deep recursion.
template <typename Node>
struct LinkedList {
    Node* head = nullptr;
    Node* tail = nullptr;
    Node* cursor = nullptr;
    std::int32_t count = 0;

    LinkedList() = default;
    LinkedList(const LinkedList&) = delete;
    LinkedList& operator=(const LinkedList&) = delete;
    ~LinkedList() { Clear(); }

    // Next node, or nullptr leaving the cursor on the last node.
    Node* Advance() {
        if (!cursor || !cursor->next) return nullptr;
        cursor = cursor->next;
        return cursor;
    }

    void Clear() {
        Node* node = head;
        while (node) {
            Node* next = node->next;
            delete node;
            node = next;
        }
        head = tail = cursor = nullptr;
        count = 0;
    }

protected:
    // Links a new node after the tail; the cursor is untouched.
    void AppendNode(Node* node) {
        if (tail) tail->next = node;
        else head = node;
        tail = node;
        ++count;
    }
};

struct StringList : LinkedList<StringNode> {
    void Append(const WideString& text) { AppendNode(new StringNode{text, nullptr}); }
};

struct PairList : LinkedList<PairNode> {
    void Append(const StringPair& pair) { AppendNode(new PairNode{pair, nullptr}); }
    // The pair at position 'index' counting from 0, or nullptr past the end.
    const StringPair* At(int index) const {
        const PairNode* node = head;
        for (int k = 0; node != nullptr && k < index; ++k) node = node->next;
        return node != nullptr ? &node->pair : nullptr;
    }
};
