#include "frequency.h"

#include <algorithm>
#include <functional>

#include "meaning.h"
#include "pinyin.h"
#include "text.h"

WordShares BlendWordShares(const std::map<std::u32string, long long>& first,
                           const std::map<std::u32string, long long>& second, double secondWeight) {
    WordShares shares;
    auto add = [&](const std::map<std::u32string, long long>& counts, double weight) {
        double total = 0;
        for (const auto& [w, n] : counts) total += static_cast<double>(n);
        if (total <= 0) return;
        for (const auto& [w, n] : counts) {
            if (n > 0) shares[w] += weight * static_cast<double>(n) / total;
        }
    };
    add(first, 1 - secondWeight);
    add(second, secondWeight);
    return shares;
}

std::map<char32_t, double> CharacterShares(const WordShares& words) {
    std::map<char32_t, double> shares;
    double total = 0;
    for (const auto& [w, share] : words) {
        for (char32_t c : w) shares[c] += share;
        total += share * static_cast<double>(w.size());
    }
    if (total > 0) {
        for (auto& [c, share] : shares) share /= total;
    }
    return shares;
}

std::vector<double> RankShares(const Unihan& unihan) {
    std::map<char32_t, double> byForm;
    for (const auto& [c, info] : unihan) {
        double count = 0;
        for (const auto& [reading, n] : info.pinlu) count += static_cast<double>(n);
        if (count <= 0) continue;
        char32_t form = info.simplified.empty() ? c : info.simplified.front();
        byForm[form] = std::max(byForm[form], count);
    }
    std::vector<double> shares;
    double total = 0;
    for (const auto& [form, count] : byForm) {
        shares.push_back(count);
        total += count;
    }
    std::sort(shares.begin(), shares.end(), std::greater<>());
    for (double& share : shares) share /= total;
    return shares;
}

double RankScore(double share, int big5Level, double taiwanShare) {
    if (big5Level == 1) return share;
    return taiwanShare < 0.01 * share ? share * 0.04 : share * 0.2;
}

namespace {

constexpr double kNameWeight = 0.2;

bool IsProper(const CedictEntry& e) { return !e.pinyin.empty() && e.pinyin[0] >= 'A' && e.pinyin[0] <= 'Z'; }

}  // namespace

FormEvidence CollectEvidence(const std::vector<CedictEntry>& cedict, const WordShares& words) {
    FormEvidence ev;
    // Entries per traditional spelling: the common ones share a word's count, proper nouns only
    // when the word has no common entry.
    std::map<std::u32string, std::pair<int, int>> spellings;  // common, proper
    for (const CedictEntry& e : cedict) {
        if (e.traditional.size() < 2) continue;
        auto& n = spellings[e.traditional];
        (IsProper(e) ? n.second : n.first) += 1;
    }
    std::map<char32_t, bool> onlyVariants;
    for (const CedictEntry& e : cedict) {
        if (e.traditional.size() == 1) {
            char32_t t = e.traditional[0];
            char32_t s = e.simplified[0];
            bool variant = std::all_of(e.senses.begin(), e.senses.end(), [](const std::string& x) { return IsVariantReference(x); });
            auto known = onlyVariants.find(t);
            onlyVariants[t] = (known == onlyVariants.end() || known->second) && variant;
            std::vector<char32_t>& forms = ev.simplifiedOf[t];
            if (std::find(forms.begin(), forms.end(), s) == forms.end()) forms.push_back(s);
            continue;
        }
        auto count = words.find(e.traditional);
        if (count == words.end()) continue;
        const auto& [common, proper] = spellings[e.traditional];
        if (common > 0 && IsProper(e)) continue;
        double weight = count->second / (common > 0 ? common : proper);
        std::vector<std::string> syllables = Split(Trim(e.pinyin), ' ');
        bool aligned = syllables.size() == e.traditional.size();
        for (std::size_t i = 0; i < e.traditional.size(); ++i) {
            char32_t t = e.traditional[i];
            char32_t s = e.simplified[i];
            if (!IsBmpHan(t) || !IsBmpHan(s)) continue;
            ev.pairs[{s, t}] += weight;
            // Names (閩侯 Min3 hou4, 大乘 Da4 sheng4) count little for a reading of everyday text
            // and never make it common.
            if (aligned) {
                std::string reading = NormaliseCedictSyllable(syllables[i]);
                if (reading.empty()) continue;
                ev.readings[t][reading] += IsProper(e) ? kNameWeight * weight : weight;
                double& top = ev.topWord[t][reading];
                if (!IsProper(e)) top = std::max(top, weight);
            }
        }
    }
    for (const auto& [t, variant] : onlyVariants) {
        if (variant) ev.variantOnly.insert(t);
    }
    return ev;
}

char32_t SimplifiedForm(char32_t traditional, const FormEvidence& evidence, const Unihan& unihan) {
    auto forms = evidence.simplifiedOf.find(traditional);
    if (forms != evidence.simplifiedOf.end() && !forms->second.empty()) {
        char32_t best = forms->second[0];
        double bestWeight = -1;
        for (char32_t s : forms->second) {
            auto p = evidence.pairs.find({s, traditional});
            double w = p == evidence.pairs.end() ? 0 : p->second;
            if (w > bestWeight) {
                best = s;
                bestWeight = w;
            }
        }
        return best;
    }
    auto info = unihan.find(traditional);
    if (info != unihan.end() && !info->second.simplified.empty()) return info->second.simplified[0];
    return traditional;
}
