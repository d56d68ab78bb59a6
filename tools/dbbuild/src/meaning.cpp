#include "meaning.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "text.h"
#include "words.h"

namespace {

struct Fold {
    char32_t from;
    const char* to;
};

const Fold kFolds[] = {
    {U'à', "a"}, {U'á', "a"}, {U'â', "a"}, {U'ã', "a"}, {U'ä', "a"}, {U'å', "a"}, {U'ā', "a"}, {U'ǎ', "a"},
    {U'æ', "ae"}, {U'ç', "c"}, {U'è', "e"}, {U'é', "e"}, {U'ê', "e"}, {U'ë', "e"}, {U'ē', "e"}, {U'ě', "e"},
    {U'ì', "i"}, {U'í', "i"}, {U'î', "i"}, {U'ï', "i"}, {U'ī', "i"}, {U'ǐ', "i"}, {U'ñ', "n"}, {U'ń', "n"},
    {U'ň', "n"}, {U'ò', "o"}, {U'ó', "o"}, {U'ô', "o"}, {U'õ', "o"}, {U'ö', "o"}, {U'ø', "o"}, {U'ō', "o"},
    {U'ǒ', "o"}, {U'œ', "oe"}, {U'ù', "u"}, {U'ú', "u"}, {U'û', "u"}, {U'ü', "u"}, {U'ū', "u"}, {U'ǔ', "u"},
    {U'ǖ', "u"}, {U'ǘ', "u"}, {U'ǚ', "u"}, {U'ǜ', "u"}, {U'ý', "y"}, {U'ÿ', "y"}, {U'ß', "ss"},
    {U'À', "A"}, {U'Á', "A"}, {U'Â', "A"}, {U'Ä', "A"}, {U'Å', "A"}, {U'Ç', "C"}, {U'È', "E"}, {U'É', "E"},
    {U'Ê', "E"}, {U'Í', "I"}, {U'Ñ', "N"}, {U'Ó', "O"}, {U'Ö', "O"}, {U'Ø', "O"}, {U'Ú', "U"}, {U'Ü', "U"},
    {U'Š', "S"}, {U'š', "s"}, {U'Ž', "Z"}, {U'ž', "z"}, {U'Č', "C"}, {U'č', "c"}, {U'ł', "l"}, {U'Ł', "L"},
    {U'‘', "'"}, {U'’', "'"}, {U'“', "\""}, {U'”', "\""}, {U'–', "-"}, {U'—', "-"}, {U'…', "..."},
    {U'×', "x"}, {U'°', " degrees"}, {U'\u00A0', " "},
};

// Words that, left at the end once a Chinese reference is removed, point at nothing.
const char* const kDangling[] = {
    "similar to", "similar", "used", "dialectal equivalent of", "colloquial equivalent of",
    "literary equivalent of", "equivalent of", "equivalent to", "used in", "used as", "as in", "such as", "same as", "variant of", "abbr. for", "abbr. of", "abbr. to", "see also", "see",
    "as in", "cf.", "i.e.", "also written", "written as", "written", "also", "from", "of", "for", "to",
    "in", "as", "by", "and", "or", "e.g.", "like", "with", "the", "a", "also called", "called",
};

// Senses that only send the reader elsewhere.
const char* const kReferencePrefixes[] = {
    "variant of", "old variant of", "archaic variant of", "japanese variant of", "erhua variant of",
    "see:", "also written", "also pr.", "also pronounced", "cl:",
    "taiwan pr.", "pr. ", "(old) variant of", "(archaic) variant of", "non-classical form of",
    "unorthodox variant", "component in", "simplified form of", "traditional form of",
};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '\'' || c == '-';
}

// Cuts trailing blanks, commas and semicolons, then a dangling phrase, repeatedly.
void DropDangling(std::string& out) {
    bool changed = true;
    while (changed) {
        changed = false;
        while (!out.empty() && (out.back() == ' ' || out.back() == ',' || out.back() == ';' || out.back() == ':')) {
            out.pop_back();
            changed = true;
        }
        std::string lower = Lower(out);
        for (const char* phrase : kDangling) {
            std::string p = phrase;
            if (lower.size() >= p.size() && lower.compare(lower.size() - p.size(), p.size(), p) == 0) {
                std::size_t start = lower.size() - p.size();
                if (start == 0 || !IsWordChar(lower[start - 1])) {
                    out.erase(start);
                    changed = true;
                    break;
                }
            }
        }
    }
}

std::string CollapseSpaces(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ' || out.back() == '(')) continue;
        if ((c == ')' || c == ',' || c == ';' || c == '.') && !out.empty() && out.back() == ' ') out.pop_back();
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    // Parentheses emptied by the removal of their Chinese contents.
    std::size_t pos;
    while ((pos = out.find("()")) != std::string::npos) {
        out.erase(pos, 2);
        if (pos > 0 && pos <= out.size() && out[pos - 1] == ' ' && (pos == out.size() || out[pos] == ' ')) out.erase(pos - 1, 1);
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// A parenthesis left open (by a cut) is taken off with its contents.
void DropUnclosedParenthesis(std::string& text) {
    int depth = 0;
    std::size_t open = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            if (depth == 0) open = i;
            ++depth;
        } else if (text[i] == ')' && depth > 0) {
            --depth;
        }
    }
    if (depth > 0 && open != std::string::npos) text.erase(open);
}

std::string WithoutParentheses(const std::string& text) {
    std::string out;
    int depth = 0;
    for (char c : text) {
        if (c == '(') ++depth;
        else if (c == ')' && depth > 0) --depth;
        else if (depth == 0) out += c;
    }
    return CollapseSpaces(Trim(out));
}

// Words that cannot end a sense cut short.
const char* const kCutEnds[] = {"has", "have", "that", "which", "who", "is", "are", "be", "an", "before", "after",
                                "at", "on", "into", "when", "where", "not", "used", "being", "whose", "was", "were",
                                "certain", "some", "very", "more", "most", "its", "their", "similar", "like"};

void DropCutEnds(std::string& text) {
    bool changed = true;
    while (changed) {
        changed = false;
        DropDangling(text);
        std::size_t space = text.rfind(' ');
        std::string last = Lower(space == std::string::npos ? text : text.substr(space + 1));
        for (const char* word : kCutEnds) {
            if (last == word && space != std::string::npos) {
                text.erase(space);
                changed = true;
                break;
            }
        }
    }
}

std::string CutAtWord(const std::string& text, std::size_t maxLength) {
    if (text.size() <= maxLength) return text;
    // A whole clause reads better than a cut one.
    std::size_t comma = text.rfind(", ", maxLength);
    if (comma != std::string::npos && comma >= maxLength / 3) {
        std::string clause = text.substr(0, comma);
        DropUnclosedParenthesis(clause);
        if (clause.size() >= maxLength / 3) return Trim(clause);
    }
    std::string cut = text.substr(0, maxLength);
    std::size_t space = cut.rfind(' ');
    if (space != std::string::npos && space > maxLength / 2) cut.erase(space);
    DropUnclosedParenthesis(cut);
    DropCutEnds(cut);
    return Trim(cut);
}

}  // namespace

bool IsVariantReference(std::string_view sense) {
    std::string lower = Lower(Trim(sense));
    for (const char* prefix : {"variant of", "old variant of", "archaic variant of", "japanese variant of",
                               "erhua variant of", "(old) variant of", "(archaic) variant of", "non-classical form of",
                               "unorthodox variant", "also written", "ancient variant of", "same as"}) {
        if (StartsWith(lower, prefix)) return true;
    }
    return false;
}

std::string AsciiFold(std::string_view utf8) {
    std::string out;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (c < 0x80) {
            if (c >= 0x20 && c != 0x7F) out += static_cast<char>(c);
            else if (c == '\t') out += ' ';
            continue;
        }
        for (const Fold& f : kFolds) {
            if (f.from == c) {
                out += f.to;
                break;
            }
        }
    }
    return out;
}

std::string CleanSense(std::string_view sense) {
    std::string trimmed = Trim(sense);
    // Classifier lists, in parentheses or after a comma, name other characters only.
    for (std::size_t at; (at = trimmed.find("CL:")) != std::string::npos;) {
        std::size_t end = trimmed.find(')', at);
        std::size_t start = at;
        if (at > 0 && trimmed[at - 1] == '(') {
            start = at - 1;
            end = end == std::string::npos ? trimmed.size() : end + 1;
        } else {
            end = trimmed.find_first_of(";/", at);
            if (end == std::string::npos) end = trimmed.size();
            while (start > 0 && (trimmed[start - 1] == ' ' || trimmed[start - 1] == ',')) --start;
        }
        trimmed.erase(start, end - start);
    }
    // Notes on pronunciation ("colloquial pr. [xie3]", "(Tw pr. [nei4])") name other readings only.
    for (std::size_t at; (at = trimmed.find("pr. [")) != std::string::npos;) {
        std::size_t open = trimmed.rfind('(', at);
        std::size_t close = trimmed.find(')', at);
        if (open != std::string::npos && close != std::string::npos && trimmed.find(')', open) == close) {
            trimmed.erase(open, close - open + 1);
        } else {
            return "";
        }
    }
    std::string lower = Lower(trimmed);
    // "(bound form) having the same meaning as 雞" says nothing once the reference is gone, nor
    // does a radical's number say what the character means.
    if (lower.find("same meaning") != std::string::npos || StartsWith(lower, "kangxi radical") ||
        lower.find("radical in chinese characters") != std::string::npos)
        return "";
    for (const char* prefix : kReferencePrefixes) {
        if (StartsWith(lower, prefix)) return "";
    }
    // A note on the words that go with it ("(often followed by 於[yu2])") says nothing once those
    // words are gone: it goes whole.
    for (std::size_t open = trimmed.find('('); open != std::string::npos;) {
        std::size_t close = open;
        for (int depth = 0; close < trimmed.size(); ++close) {
            depth += trimmed[close] == '(' ? 1 : trimmed[close] == ')' ? -1 : 0;
            if (depth == 0) break;
        }
        if (close == trimmed.size()) break;
        std::vector<char32_t> inside = DecodeUtf8(trimmed.substr(open, close - open));
        std::string head = Lower(trimmed.substr(open, 12));
        bool usage = StartsWith(head, "(often") || StartsWith(head, "(usually") || StartsWith(head, "(followed") ||
                     StartsWith(head, "(preceded") || StartsWith(head, "(typically");
        bool aboutAnother = usage && std::any_of(inside.begin(), inside.end(), [](char32_t c) { return IsCjk(c); });
        if (aboutAnother) trimmed.erase(open, close - open + 1);
        open = trimmed.find('(', aboutAnother ? open : open + 1);
    }
    std::vector<char32_t> codes = DecodeUtf8(trimmed);
    std::string out;
    bool endedInReference = false;
    for (std::size_t i = 0; i < codes.size();) {
        char32_t c = codes[i];
        endedInReference = false;
        if (IsCjk(c) || c == U'|' || c == U'·' || c == U'[') {
            // A Chinese reference: its characters, the trad|simp bar and bracketed pinyin.
            while (i < codes.size() && (IsCjk(codes[i]) || codes[i] == U'|' || codes[i] == U'·' || codes[i] == U'[')) {
                if (codes[i] == U'[') {
                    while (i < codes.size() && codes[i] != U']') ++i;
                }
                ++i;
            }
            // A gloss of the reference ("chair") means nothing without it.
            std::size_t j = i;
            while (j < codes.size() && codes[j] == U' ') ++j;
            if (j < codes.size() && (codes[j] == U'"' || codes[j] == U'“')) {
                std::size_t k = j + 1;
                while (k < codes.size() && codes[k] != U'"' && codes[k] != U'”') ++k;
                if (k < codes.size()) i = k + 1;
            }
            DropDangling(out);
            if (!out.empty() && out.back() != '(') out += ' ';
            endedInReference = true;
            continue;
        }
        out += AsciiFold(EncodeUtf8(c));
        ++i;
    }
    out = CollapseSpaces(Trim(out));
    if (endedInReference) DropDangling(out);
    // A reference removed from the front leaves its punctuation behind.
    while (!out.empty() && (out[0] == ':' || out[0] == ';' || out[0] == ',' || out[0] == '.' || out[0] == ' '))
        out.erase(0, 1);
    // A grammarian's label, not a meaning.
    for (const char* label : {"(meaningless bound form)", "(bound form)"}) {
        for (std::size_t at; (at = out.find(label)) != std::string::npos;) out.erase(at, std::string(label).size());
    }
    out = Trim(out);
    if (StartsWith(out, "(literary)")) out = Trim(out.substr(10));
    out = CollapseSpaces(out);
    // What is left must say something: a letter at least.
    bool hasLetter = std::any_of(out.begin(), out.end(), [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)); });
    return hasLetter ? out : "";
}

namespace {

// Senses a learner should not be taught first, or at all when there is anything else.
const char* const kUnfitMarks[] = {"(slang)", "(internet slang)", "(vulgar)", "(derog.)", "(euphemism)", "(offensive)",
                                   "(obscene)", "(pejorative)", "(coarse)"};
const char* const kDatedMarks[] = {"(literary)", "(old)", "(archaic)", "(classical)", "dialect)", "(ancient)",
                                   "(old usage)", "(in ancient China)", "(in former times)", "(cantonese)"};

bool Marked(const std::string& sense, const char* const* marks, std::size_t n) {
    std::string lower = Lower(sense);
    for (std::size_t i = 0; i < n; ++i) {
        if (lower.find(Lower(marks[i])) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

bool TakeTaiwanLabel(std::string& sense) {
    static const char* const kRegions[] = {"Tw", "HK", "Macau", "Macao", "Sg"};
    bool found = false;
    std::size_t from = 0;
    for (std::size_t open; (open = sense.find('(', from)) != std::string::npos;) {
        std::size_t close = sense.find(')', open);
        if (close == std::string::npos) break;
        bool regions = true, taiwan = false;
        for (const std::string& label : Split(sense.substr(open + 1, close - open - 1), ',')) {
            std::string l = Trim(label);
            taiwan = taiwan || l == "Tw";
            regions = regions && std::find(std::begin(kRegions), std::end(kRegions), l) != std::end(kRegions);
        }
        from = open + 1;
        if (!regions || !taiwan) continue;
        sense.erase(open, close + 1 - open);
        found = true;
        from = open;
    }
    if (found) sense = Trim(sense);
    return found;
}

namespace {

// Taiwan's senses first (軟體 "software", the database follows Taiwan's usage), then everyday
// ones, dated and literary ones after them, slang and vulgar ones only when nothing else is left.
// The "(Tw)" tag itself says where a sense is used, not what it means.
std::vector<std::string> OrderSenses(const std::vector<std::string>& senses) {
    std::vector<std::string> taiwan, everyday, dated, unfit;
    for (std::string sense : senses) {
        bool inTaiwan = TakeTaiwanLabel(sense);
        if (Marked(sense, kUnfitMarks, std::size(kUnfitMarks)) || IsUnfitSense(sense)) unfit.push_back(sense);
        else if (inTaiwan) taiwan.push_back(sense);
        else if (Marked(sense, kDatedMarks, std::size(kDatedMarks))) dated.push_back(sense);
        else everyday.push_back(sense);
    }
    everyday.insert(everyday.begin(), taiwan.begin(), taiwan.end());
    everyday.insert(everyday.end(), dated.begin(), dated.end());
    return everyday.empty() ? unfit : everyday;
}

}  // namespace

std::string ComposeMeaning(const std::vector<std::string>& rawSenses, std::size_t maxLength, bool cutAllowed) {
    std::vector<std::string> main;
    std::vector<std::string> surnames;
    for (const std::string& raw : OrderSenses(rawSenses)) {
        std::string clean = CleanSense(raw);
        if (clean.empty()) continue;
        if (std::find(main.begin(), main.end(), clean) != main.end() ||
            std::find(surnames.begin(), surnames.end(), clean) != surnames.end())
            continue;
        if (StartsWith(Lower(clean), "surname ")) surnames.push_back(clean);
        else main.push_back(clean);
    }
    if (main.empty()) main.swap(surnames);
    if (main.empty()) return "";
    // Senses that fit, whole or without their parenthesis, in order; an explanation too long for the
    // row gives way to the short glosses after it.
    std::string result;
    // Glosses already given, compared without their parentheses ("(specifier) that" gives "that").
    std::vector<std::string> given;
    auto repeats = [&](const std::string& fitted) {
        for (const std::string& part : Split(fitted, ';')) {
            if (std::find(given.begin(), given.end(), WithoutParentheses(Trim(part))) == given.end()) return false;
        }
        return true;
    };
    auto add = [&](const std::vector<std::string>& senses) {
        for (const std::string& sense : senses) {
            std::string fitted = sense;
            if (fitted.size() > maxLength) fitted = WithoutParentheses(fitted);
            // A sense made of several glosses ("to go back; to return; to turn back") gives its
            // first glosses that fit rather than none.
            if (fitted.size() > maxLength && fitted.find("; ") != std::string::npos) {
                std::string glosses;
                for (const std::string& gloss : Split(fitted, ';')) {
                    std::string g = Trim(gloss);
                    std::size_t room = maxLength - std::min(maxLength, result.empty() ? 0 : result.size() + 2);
                    if (g.empty() || glosses.size() + (glosses.empty() ? 0 : 2) + g.size() > room) break;
                    glosses += (glosses.empty() ? "" : "; ") + g;
                }
                fitted = glosses;
            }
            if (fitted.empty() || fitted.size() > maxLength || repeats(fitted)) continue;
            if (!result.empty() && result.size() + 2 + fitted.size() > maxLength) continue;
            result += (result.empty() ? "" : "; ") + fitted;
            for (const std::string& part : Split(fitted, ';')) given.push_back(WithoutParentheses(Trim(part)));
        }
    };
    add(main);
    if (result.empty() && !cutAllowed) {
        // A word's one long explanation gives its first clause when that is a whole phrase (湯圓
        // "boiled or deep-fried balls of glutinous rice flour, usually eaten during ..."); else none.
        std::string first = WithoutParentheses(main[0]);
        std::size_t comma = first.find(", ");
        if (comma == std::string::npos || comma > maxLength || first.substr(0, comma).find(' ') == std::string::npos) return "";
        result = Trim(first.substr(0, comma));
    }
    if (result.empty()) {
        // No sense fits: the first is cut. A sense that is all parenthesis ("(used in names)")
        // keeps its words.
        std::string first = main[0];
        std::string shorter = WithoutParentheses(first);
        if (shorter.empty() && first.front() == '(' && first.back() == ')') shorter = first.substr(1, first.size() - 2);
        result = CutAtWord(shorter, maxLength);
    }
    add(surnames);
    return result;
}
