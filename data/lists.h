// Singly linked lists of owning strings and of string pairs, and the word list, whose nodes and
// texts all live in one store.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>
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

// The list header shared by every kind: head, tail, cursor, count, in this order.
template <typename Node>
struct ListHeader {
    Node* head = nullptr;
    Node* tail = nullptr;
    Node* cursor = nullptr;
    std::int32_t count = 0;

    // Next node, or nullptr leaving the cursor on the last node.
    Node* Advance() {
        if (!cursor || !cursor->next) return nullptr;
        cursor = cursor->next;
        return cursor;
    }

protected:
    // Links a new node after the tail; the cursor is untouched.
    void Link(Node* node) {
        if (tail) tail->next = node;
        else head = node;
        tail = node;
        ++count;
    }

    void Forget() {
        head = tail = cursor = nullptr;
        count = 0;
    }
};

// A list whose nodes are allocated one by one. Nodes are freed in a loop, so even a long list is
// released without deep recursion.
template <typename Node>
struct LinkedList : ListHeader<Node> {
    LinkedList() = default;
    LinkedList(const LinkedList&) = delete;
    LinkedList& operator=(const LinkedList&) = delete;
    ~LinkedList() { Clear(); }

    void Clear() {
        Node* node = this->head;
        while (node) {
            Node* next = node->next;
            delete node;
            node = next;
        }
        this->Forget();
    }
};

struct StringList : LinkedList<StringNode> {
    void Append(const WideString& text) { Link(new StringNode{text, nullptr}); }
};

struct PairList : LinkedList<PairNode> {
    void Append(const StringPair& pair) { Link(new PairNode{pair, nullptr}); }
    // The pair at position 'index' counting from 0, or nullptr past the end.
    const StringPair* At(int index) const {
        const PairNode* node = head;
        for (int k = 0; node != nullptr && k < index; ++k) node = node->next;
        return node != nullptr ? &node->pair : nullptr;
    }
};

// A word as the word list stores it: its code units, zero-terminated, and their number. It reads
// like a WideString and turns into one (a copy) where an owning string is needed.
class WordText {
public:
    WordText(const std::uint16_t* units, std::uint32_t length) : units_(units), length_(length) {}
    std::size_t length() const { return length_; }
    std::uint16_t operator[](std::size_t i) const { return units_[i]; }
    const std::uint16_t* data() const { return units_; }
    operator WideString() const { return WideString(units_, length_); }

private:
    const std::uint16_t* units_;
    std::uint32_t length_;
};

// A word's text as the word list stores it: plain ASCII bytes, zero-terminated. Each byte reads as
// one unit, as the text widened to a WideString would.
class ByteText {
public:
    ByteText(const char* bytes, std::uint32_t length) : bytes_(bytes), length_(length) {}
    std::size_t length() const { return length_; }
    std::uint16_t operator[](std::size_t i) const { return static_cast<unsigned char>(bytes_[i]); }
    const char* c_str() const { return bytes_; }
    operator WideString() const { return WideString(bytes_); }

private:
    const char* bytes_;
    std::uint32_t length_;
};

struct WordPair {
    WordText first;   // the word
    ByteText second;  // its text: reading and translation
};

struct WordNode {
    WordPair pair;
    WordNode* next = nullptr;
};

// The word list: the list header and operations of the other lists, but its nodes, words and texts
// are laid one after the other in large blocks, one block for a whole word file when the loader
// says beforehand how much it holds. Clearing frees the blocks, not the nodes.
class WordPairList : public ListHeader<WordNode> {
public:
    WordPairList() = default;
    WordPairList(const WordPairList&) = delete;
    WordPairList& operator=(const WordPairList&) = delete;

    // Room for 'words' more words of 'units' code units and 'bytes' text bytes in all, so that
    // appending them allocates nothing more.
    void Reserve(std::size_t words, std::size_t units, std::size_t bytes);
    // Appends copies of a word of 'units' code units and a text of 'bytes' bytes; neither may hold
    // a zero.
    void Append(const std::uint16_t* word, std::size_t units, const char* text, std::size_t bytes);
    void Clear();

private:
    void* Take(std::size_t size, std::size_t align);

    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
    unsigned char* free_ = nullptr;
    std::size_t left_ = 0;
};
