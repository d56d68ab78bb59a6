#include "pinyin.h"

#include <algorithm>
#include <cctype>

#include "text.h"

namespace {

// Hanyu Pinyin chart, with the rare syllables that dictionaries use for single characters.
const char* const kSyllables =
    "a ai an ang ao "
    "ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu "
    "pa pai pan pang pao pei pen peng pi pian piao pie pin ping po pou pu "
    "ma mai man mang mao me mei men meng mi mian miao mie min ming miu mo mou mu "
    "fa fan fang fei fen feng fiao fo fou fu "
    "da dai dan dang dao de dei den deng di dia dian diao die ding diu dong dou du duan dui dun duo "
    "ta tai tan tang tao te tei teng ti tian tiao tie ting tong tou tu tuan tui tun tuo "
    "na nai nan nang nao ne nei nen neng ni nian niang niao nie nin ning niu nong nou nu nuan nun nuo nv nve "
    "la lai lan lang lao le lei leng li lia lian liang liao lie lin ling liu lo long lou lu luan lun luo lv lve "
    "ga gai gan gang gao ge gei gen geng gong gou gu gua guai guan guang gui gun guo "
    "ka kai kan kang kao ke kei ken keng kong kou ku kua kuai kuan kuang kui kun kuo "
    "ha hai han hang hao he hei hen heng hong hou hu hua huai huan huang hui hun huo "
    "ji jia jian jiang jiao jie jin jing jiong jiu ju juan jue jun "
    "qi qia qian qiang qiao qie qin qing qiong qiu qu quan que qun "
    "xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue xun "
    "zha zhai zhan zhang zhao zhe zhei zhen zheng zhi zhong zhou zhu zhua zhuai zhuan zhuang zhui zhun zhuo "
    "cha chai chan chang chao che chen cheng chi chong chou chu chua chuai chuan chuang chui chun chuo "
    "sha shai shan shang shao she shei shen sheng shi shou shu shua shuai shuan shuang shui shun shuo "
    "ran rang rao re ren reng ri rong rou ru rua ruan rui run ruo "
    "za zai zan zang zao ze zei zen zeng zi zong zou zu zuan zui zun zuo "
    "ca cai can cang cao ce cen ceng ci cong cou cu cuan cui cun cuo "
    "sa sai san sang sao se sen seng si song sou su suan sui sun suo "
    "ya yan yang yao ye yi yin ying yo yong you yu yuan yue yun "
    "wa wai wan wang wei wen weng wo wu "
    "e ei en eng er o ou "
    "m n ng hm hng";

struct ToneVowel {
    char32_t code;
    char base;
    int tone;
};

const ToneVowel kToneVowels[] = {
    {U'ā', 'a', 1}, {U'á', 'a', 2}, {U'ǎ', 'a', 3}, {U'à', 'a', 4},
    {U'ē', 'e', 1}, {U'é', 'e', 2}, {U'ě', 'e', 3}, {U'è', 'e', 4},
    {U'ī', 'i', 1}, {U'í', 'i', 2}, {U'ǐ', 'i', 3}, {U'ì', 'i', 4},
    {U'ō', 'o', 1}, {U'ó', 'o', 2}, {U'ǒ', 'o', 3}, {U'ò', 'o', 4},
    {U'ū', 'u', 1}, {U'ú', 'u', 2}, {U'ǔ', 'u', 3}, {U'ù', 'u', 4},
    {U'ǖ', 'v', 1}, {U'ǘ', 'v', 2}, {U'ǚ', 'v', 3}, {U'ǜ', 'v', 4}, {U'ü', 'v', 0},
    {U'ḿ', 'm', 2}, {U'ń', 'n', 2}, {U'ň', 'n', 3}, {U'ǹ', 'n', 4},
    {U'ê', 'e', 0}, {U'ế', 'e', 2}, {U'ề', 'e', 4},
};

}  // namespace

const std::vector<std::string>& SyllableTable() {
    static const std::vector<std::string> table = [] {
        std::vector<std::string> all = Split(kSyllables, ' ');
        std::sort(all.begin(), all.end());
        return all;
    }();
    return table;
}

bool IsSyllable(std::string_view syllable) {
    const auto& table = SyllableTable();
    return std::binary_search(table.begin(), table.end(), std::string(syllable));
}

std::string NormaliseCedictSyllable(std::string_view raw, bool keepCase) {
    std::string letters;
    int tone = 0;
    std::vector<char32_t> codes = DecodeUtf8(raw);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        char32_t c = codes[i];
        if (tone != 0) return "";  // anything after the tone digit
        if (c == U':' && !letters.empty() && (letters.back() == 'u' || letters.back() == 'U')) {
            letters.back() = letters.back() == 'U' ? 'V' : 'v';
        } else if (c == U'ü' || c == U'Ü') {
            letters += c == U'Ü' ? 'V' : 'v';
        } else if (c == U'ê' || c == U'Ê') {
            letters += 'e';
        } else if (c >= '1' && c <= '5' && !letters.empty()) {
            tone = static_cast<int>(c - '0');
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            letters += static_cast<char>(c);
        } else {
            return "";
        }
    }
    if (letters.empty()) return "";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (i > 0 || !keepCase) letters[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(letters[i])));
    }
    if (tone >= 1 && tone <= 4) letters += static_cast<char>('0' + tone);
    return letters;
}

std::string NormaliseCedictReading(std::string_view raw, bool keepCase) {
    std::string out;
    for (const std::string& part : Split(Trim(raw), ' ')) {
        if (part.empty()) continue;
        std::string syllable = NormaliseCedictSyllable(part, keepCase);
        if (syllable.empty()) return "";
        if (!out.empty()) out += ' ';
        out += syllable;
    }
    return out;
}

std::string NumberedFromAccented(std::string_view accented) {
    std::string letters;
    int tone = 0;
    for (char32_t c : DecodeUtf8(accented)) {
        if (c >= 'a' && c <= 'z') {
            letters += static_cast<char>(c);
            continue;
        }
        if (c >= 'A' && c <= 'Z') {
            letters += static_cast<char>(c - 'A' + 'a');
            continue;
        }
        // Combining marks put the tone on the letter before them.
        if (c == 0x0304 || c == 0x0301 || c == 0x030C || c == 0x0300) {
            if (letters.empty()) return "";
            tone = c == 0x0304 ? 1 : c == 0x0301 ? 2 : c == 0x030C ? 3 : 4;
            continue;
        }
        bool found = false;
        for (const ToneVowel& v : kToneVowels) {
            if (v.code == c) {
                letters += v.base;
                if (v.tone != 0) tone = v.tone;
                found = true;
                break;
            }
        }
        if (!found) return "";
    }
    if (letters.empty()) return "";
    if (tone != 0) letters += static_cast<char>('0' + tone);
    return letters;
}

std::string SyllableOf(std::string_view reading) {
    std::string s(reading);
    if (!s.empty() && s.back() >= '1' && s.back() <= '5') s.pop_back();
    return s;
}
