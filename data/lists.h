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

// Header fields in the order head, tail, cursor, count.
struct StringList {
    StringNode* head = nullptr;
    StringNode* tail = nullptr;
    StringNode* cursor = nullptr;
    std::int32_t count = 0;

    StringList() = default;
    StringList(const StringList&) = delete;
    StringList& operator=(const StringList&) = delete;
    ~StringList() { Clear(); }

    void Append(const WideString& text);  // cursor untouched
    StringNode* Advance();                // next node, or nullptr leaving the cursor on the last node
    void Clear();
};

struct PairList {
    PairNode* head = nullptr;
    PairNode* tail = nullptr;
    PairNode* cursor = nullptr;
    std::int32_t count = 0;

    PairList() = default;
    PairList(const PairList&) = delete;
    PairList& operator=(const PairList&) = delete;
    ~PairList() { Clear(); }

    void Append(const StringPair& pair);
    PairNode* Advance();
    void Clear();
};
