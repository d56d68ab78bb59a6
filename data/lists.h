// Singly linked lists of owning strings and of string pairs, and the word list, whose nodes and
// texts all live in one store.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>
#include "data/strings.h"
#include "data/whole_file.h"

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
    // Appends the pair of two texts, each made into its string right in the new node.
    template <typename First, typename Second>
    void Append(const First& first, const Second& second) {
        Link(new PairNode{StringPair{first, second}, nullptr});
    }
    // The pair at position 'index' counting from 0, or nullptr past the end.
    const StringPair* At(int index) const {
        const PairNode* node = head;
        for (int k = 0; node != nullptr && k < index; ++k) node = node->next;
        return node != nullptr ? &node->pair : nullptr;
    }
};

// A word as the word list stores it, as in the word file: its code units, 16-bit little-endian,
// and their number. It reads like a WideString and turns into one (a copy) where an owning string
// is needed.
class WordText {
public:
    WordText(const std::uint8_t* units, std::uint32_t length) : units_(units), length_(length) {}
    std::size_t length() const { return length_; }
    std::uint16_t operator[](std::size_t i) const {
        return static_cast<std::uint16_t>(units_[2 * i] | units_[2 * i + 1] << 8);
    }
    operator WideString() const;

private:
    const std::uint8_t* units_;
    std::uint32_t length_;
};

// A word's text as the word list stores it, as in the word file: plain ASCII bytes hidden with
// Scramble. It reads revealed, each byte as one unit, like the text widened to a WideString.
class ByteText {
public:
    ByteText(const char* hidden, std::uint32_t length) : hidden_(hidden), length_(length) {}
    std::size_t length() const { return length_; }
    std::uint16_t operator[](std::size_t i) const;
    operator WideString() const;

private:
    const char* hidden_;
    std::uint32_t length_;
};

// A word of the word list and its text. Both lie in one record laid out as in the word file (the
// number of units, the units, the number of text bytes, the hidden text), in the kept file or in the
// list's own copies, so the node needs only where the record starts: 16 bytes a word.
struct WordNode {
    const std::uint8_t* record;
    WordNode* next;

    WordText Word() const { return WordText(record + 1, record[0]); }
    // Its text: reading and translation.
    ByteText Text() const {
        const std::uint8_t* text = record + 1 + 2 * record[0];
        return ByteText(reinterpret_cast<const char*>(text + 1), text[0]);
    }
};

// The word list: the list header and operations of the other lists, but nothing is allocated per
// word. The loader hands over the word file as read and appends nodes that point into it; the
// nodes are laid one after the other in large blocks, one block for the whole file when the loader
// says beforehand how many words it holds. Texts stay hidden until read. Clearing frees the blocks
// and the file, not node by node. An index by character finds the words that hold a character
// without walking the whole list.
class WordPairList : public ListHeader<WordNode> {
public:
    WordPairList() = default;
    WordPairList(const WordPairList&) = delete;
    WordPairList& operator=(const WordPairList&) = delete;

    // Room for 'words' more words, so that appending them allocates nothing more.
    void Reserve(std::size_t words);
    // Keeps the bytes of a word file for the life of the list (until Clear).
    FileBytes& Keep(FileBytes&& file);
    // Appends the word of a record of the word file lying in kept bytes: its first 'units' units
    // and the first 'bytes' bytes of its hidden text, neither holding a zero. The record is
    // shortened in place to what the list holds.
    void AppendKept(std::uint8_t* record, std::size_t units, std::size_t bytes);
    // Appends copies of a word and of its plain text; neither may hold a zero, nor pass 255.
    void Append(const std::uint16_t* word, std::size_t units, const char* text, std::size_t bytes);
    void Clear();
    // Takes every word of 'other', which is left empty; this list must be empty.
    void TakeFrom(WordPairList& other);

    // The words that hold the code unit 'code', each once, in list order. The first request after
    // the list changed walks the list: a start asks for one character only, and one walk costs far
    // less than the index. Later requests build the index once and use it.
    std::span<const WordNode* const> Holding(std::uint16_t code);

private:
    void* Take(std::size_t size, std::size_t align);
    void BuildIndex();

    std::vector<FileBytes> kept_;
    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
    unsigned char* free_ = nullptr;
    std::size_t left_ = 0;
    // The index: the words holding code c are words_[first_[c]] up to words_[first_[c + 1]].
    // Empty until asked for; rebuilt when words were appended since.
    std::vector<std::uint32_t> first_;
    std::vector<const WordNode*> words_;
    std::int32_t indexed_ = -1;
    // The words a walk found, and the count of words the list had when it walked.
    std::vector<const WordNode*> walked_;
    std::int32_t walkedAt_ = -1;
};
