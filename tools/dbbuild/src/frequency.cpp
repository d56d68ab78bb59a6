#include "frequency.h"

#include <algorithm>
#include <cmath>
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

std::map<char32_t, double> CountedShares(const Unihan& unihan) {
    auto countOf = [&](char32_t c) {
        auto info = unihan.find(c);
        double count = 0;
        if (info != unihan.end()) {
            for (const auto& [reading, n] : info->second.pinlu) count += static_cast<double>(n);
        }
        return count;
    };
    std::map<char32_t, double> shares;
    double total = 0;
    for (const auto& [c, info] : unihan) {
        if (info.big5Level == 0) continue;
        double count = countOf(c);
        if (count <= 0 && !info.simplified.empty()) count = countOf(info.simplified.front());
        if (count <= 0) continue;
        shares[c] = count;
        total += count;
    }
    for (auto& [c, share] : shares) share /= total;
    return shares;
}

std::map<char32_t, double> RunningTextShares(const std::map<std::u32string, long long>& withSingles,
                                             const std::map<std::u32string, long long>& phrases,
                                             double phraseWeight, const LengthParts& parts) {
    const double part[5] = {0, parts.one, parts.two, parts.three, parts.more};
    auto lengthClass = [](std::size_t n) { return std::min<std::size_t>(n, 4); };
    // Each length's words share its part of text by their counts.
    auto add = [&](const std::map<std::u32string, long long>& counts, double singleWeight, double longerWeight,
                   std::map<char32_t, double>& shares) {
        double mass[5] = {0, 0, 0, 0, 0};
        for (const auto& [w, n] : counts) {
            if (!w.empty() && n > 0) mass[lengthClass(w.size())] += static_cast<double>(n) * static_cast<double>(w.size());
        }
        for (const auto& [w, n] : counts) {
            std::size_t k = w.empty() ? 0 : lengthClass(w.size());
            double weight = k == 1 ? singleWeight : longerWeight;
            if (k == 0 || n <= 0 || mass[k] <= 0 || weight <= 0) continue;
            double share = weight * part[k] * static_cast<double>(n) / mass[k];
            for (char32_t c : w) shares[c] += share;
        }
    };
    std::map<char32_t, double> shares;
    add(withSingles, 1.0, 1 - phraseWeight, shares);
    add(phrases, 0.0, phraseWeight, shares);
    return shares;
}

std::vector<double> BandShares(const Unihan& unihan, const std::vector<double>& rankShares) {
    int sizes[6] = {0, 0, 0, 0, 0, 0};
    for (const auto& [c, info] : unihan) {
        if (info.big5Level > 0 && info.frequencyBand >= 1 && info.frequencyBand <= 5) ++sizes[info.frequencyBand];
    }
    auto shareAt = [&](int rank) {  // rank from 1
        if (rankShares.empty()) return 0.0;
        return rankShares[std::min<std::size_t>(static_cast<std::size_t>(rank - 1), rankShares.size() - 1)];
    };
    std::vector<double> bands(6, 0.0);
    int first = 1;
    for (int band = 1; band <= 5; ++band) {
        double logSum = 0;
        for (int r = first; r < first + sizes[band]; ++r) logSum += std::log(std::max(shareAt(r), 1e-12));
        bands[band] = sizes[band] > 0 ? std::exp(logSum / sizes[band]) : 0;
        first += sizes[band];
    }
    bands[0] = shareAt(first);
    return bands;
}

bool ParseSpeechBands(const std::string& text, std::map<char32_t, int>& bands, std::string& error) {
    int number = 0;
    for (const std::string& line : Split(text, '\n')) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cols = Split(line, '\t');
        std::vector<char32_t> c = cols.empty() ? std::vector<char32_t>{} : DecodeUtf8(cols[0]);
        if (cols.size() != 2 || c.size() != 1 || cols[1].size() != 1 || cols[1][0] < '1' || cols[1][0] > '5') {
            error = "line " + std::to_string(number) + " is not a character and a band from 1 to 5";
            return false;
        }
        bands[c[0]] = cols[1][0] - '0';
    }
    return true;
}

double OrderScore(double running, double bandShare, double bandWeight, bool taiwanHardlyUses) {
    constexpr double kFloor = 1e-12;
    double score = (1 - bandWeight) * std::log(std::max(running, kFloor)) + bandWeight * std::log(std::max(bandShare, kFloor));
    return taiwanHardlyUses ? score + std::log(0.04) : score;
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
