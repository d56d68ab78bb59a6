#include "frequency.h"

#include <algorithm>

#include "meaning.h"
#include "pinyin.h"
#include "text.h"

FormEvidence CollectEvidence(const std::vector<CedictEntry>& cedict, const std::map<std::u32string, long long>& wordCounts,
                             const Unihan& unihan) {
    FormEvidence ev;
    std::map<std::u32string, int> spellings;
    for (const CedictEntry& e : cedict) {
        if (e.simplified.size() >= 2) ++spellings[e.simplified];
    }
    std::map<char32_t, bool> onlyVariants;
    for (const CedictEntry& e : cedict) {
        if (e.traditional.size() == 1) {
            char32_t t = e.traditional[0];
            char32_t s = e.simplified[0];
            bool variant = std::all_of(e.senses.begin(), e.senses.end(), [](const std::string& x) { return IsVariantReference(x); });
            auto known = onlyVariants.find(t);
            onlyVariants[t] = (known == onlyVariants.end() || known->second) && variant;
            if (!variant) {
                std::string r = NormaliseCedictSyllable(Trim(e.pinyin));
                if (!r.empty()) ev.formReadings[s][t].insert(r);
            }
            ev.traditionalOf[s].insert(t);
            std::vector<char32_t>& forms = ev.simplifiedOf[t];
            if (std::find(forms.begin(), forms.end(), s) == forms.end()) forms.push_back(s);
            continue;
        }
        auto count = wordCounts.find(e.simplified);
        if (count == wordCounts.end()) continue;
        double weight = static_cast<double>(count->second) / spellings[e.simplified];
        std::vector<std::string> syllables = Split(Trim(e.pinyin), ' ');
        bool aligned = syllables.size() == e.traditional.size();
        for (std::size_t i = 0; i < e.traditional.size(); ++i) {
            char32_t t = e.traditional[i];
            char32_t s = e.simplified[i];
            if (!IsBmpHan(t) || !IsBmpHan(s)) continue;
            ev.pairs[{s, t}] += weight;
            if (aligned) {
                std::string reading = NormaliseCedictSyllable(syllables[i]);
                if (!reading.empty()) ev.readings[t][reading] += weight;
            }
        }
    }
    for (const auto& [t, variant] : onlyVariants) {
        if (variant) ev.variantOnly.insert(t);
    }
    // Characters the dictionary lacks as single entries take Unihan's variants.
    for (const auto& [code, info] : unihan) {
        if (ev.traditionalOf.count(code) || ev.simplifiedOf.count(code)) continue;
        for (char32_t t : info.traditional) {
            if (t != code) ev.traditionalOf[code].insert(t);
        }
    }
    return ev;
}

namespace {

// Shares of the forms in `forms` by their word evidence for `simplified`; even shares without any.
std::map<char32_t, double> WordShares(char32_t simplified, const std::set<char32_t>& forms, const FormEvidence& evidence) {
    std::map<char32_t, double> shares;
    double total = 0;
    for (char32_t t : forms) {
        auto p = evidence.pairs.find({simplified, t});
        shares[t] = p == evidence.pairs.end() ? 0 : p->second;
        total += shares[t];
    }
    for (auto& [t, share] : shares) share = total > 0 ? share / total : 1.0 / static_cast<double>(forms.size());
    return shares;
}

}  // namespace

std::map<char32_t, double> ShareCounts(const std::vector<std::pair<char32_t, long long>>& charCounts,
                                       const FormEvidence& evidence, const Unihan& unihan) {
    std::map<char32_t, double> shared;
    for (const auto& [c, n] : charCounts) {
        auto forms = evidence.traditionalOf.find(c);
        if (forms == evidence.traditionalOf.end() || forms->second.empty()) {
            shared[c] += static_cast<double>(n);
            continue;
        }
        // Candidates: the dictionary's traditional forms and any form its words write for c,
        // without the mere variants unless nothing else is left.
        std::set<char32_t> all = forms->second;
        for (auto it = evidence.pairs.lower_bound({c, 0}); it != evidence.pairs.end() && it->first.first == c; ++it) {
            if (it->second > 0) all.insert(it->first.second);
        }
        std::set<char32_t> candidates;
        for (char32_t t : all) {
            if (!evidence.variantOnly.count(t)) candidates.insert(t);
        }
        if (candidates.empty()) candidates = all;

        std::map<char32_t, double> share;
        auto info = unihan.find(c);
        double pinluTotal = 0;
        if (info != unihan.end()) {
            for (const auto& [r, k] : info->second.pinlu) pinluTotal += static_cast<double>(k);
        }
        auto readings = evidence.formReadings.find(c);
        if (pinluTotal > 0 && candidates.size() > 1) {
            for (const auto& [r, k] : info->second.pinlu) {
                std::set<char32_t> having;
                if (readings != evidence.formReadings.end()) {
                    for (char32_t t : candidates) {
                        auto tr = readings->second.find(t);
                        if (tr != readings->second.end() && tr->second.count(r)) having.insert(t);
                    }
                }
                if (having.empty()) having = candidates;
                for (const auto& [t, w] : WordShares(c, having, evidence)) share[t] += static_cast<double>(k) / pinluTotal * w;
            }
        } else {
            share = WordShares(c, candidates, evidence);
        }
        for (const auto& [t, w] : share) {
            if (w > 0) shared[t] += static_cast<double>(n) * w;
        }
    }
    return shared;
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
