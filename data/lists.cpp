// Singly linked lists of owning strings and pairs. Nodes are freed one by one in a loop, so even a
// list of many thousand words is released without deep recursion.
#include "data/lists.h"

void StringList::Append(const WideString& text) {
    StringNode* node = new StringNode{text, nullptr};
    if (tail) tail->next = node;
    else head = node;
    tail = node;
    ++count;
}

StringNode* StringList::Advance() {
    if (!cursor || !cursor->next) return nullptr;
    cursor = cursor->next;
    return cursor;
}

void StringList::Clear() {
    StringNode* node = head;
    while (node) {
        StringNode* next = node->next;
        delete node;
        node = next;
    }
    head = tail = cursor = nullptr;
    count = 0;
}

void PairList::Append(const StringPair& pair) {
    PairNode* node = new PairNode{pair, nullptr};
    if (tail) tail->next = node;
    else head = node;
    tail = node;
    ++count;
}

PairNode* PairList::Advance() {
    if (!cursor || !cursor->next) return nullptr;
    cursor = cursor->next;
    return cursor;
}

void PairList::Clear() {
    PairNode* node = head;
    while (node) {
        PairNode* next = node->next;
        delete node;
        node = next;
    }
    head = tail = cursor = nullptr;
    count = 0;
}
