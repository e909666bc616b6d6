#include "programme_corpus.h"

#include <cstdint>
#include <initializer_list>

namespace {

class Random {
public:
    explicit Random(unsigned seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::size_t below(std::size_t n) { return next() % n; }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }

private:
    std::uint32_t state_;
};

const std::vector<std::u16string> kanjiWords = {
    u"天気予報", u"全国", u"各地", u"今日", u"明日",   u"週末", u"番組",   u"特集", u"紹介", u"世界", u"日本",
    u"歴史",     u"旅",   u"料理", u"自然", u"科学",   u"経済", u"政治",   u"音楽", u"映画", u"出演", u"解説",
    u"司会",     u"取材", u"東京", u"大阪", u"北海道", u"沖縄", u"最新",   u"情報", u"話題", u"人気", u"選手",
    u"試合",     u"中継", u"放送", u"地域", u"生活",   u"健康", u"魅力",   u"秘密", u"挑戦", u"物語", u"季節",
    u"海外",     u"職人", u"伝統", u"技術", u"未来",   u"家族", u"時代劇", u"警察", u"事件", u"真相", u"鉄道",
};
const std::vector<std::u16string> hiraganaRuns = {
    u"の",
    u"を",
    u"に",
    u"は",
    u"が",
    u"と",
    u"で",
    u"から",
    u"まで",
    u"します",
    u"しました",
    u"について",
    u"をお届けします",
    u"ですか",
    u"でした",
    u"ひとつ",
    u"いよいよ",
    u"あの",
    u"たっぷり",
    u"もっと",
};
const std::vector<std::u16string> katakanaWords = {
    u"ニュース", u"スポーツ", u"ドラマ",         u"アニメ",         u"ドキュメンタリー", u"バラエティー", u"ゲスト",
    u"スタジオ", u"サッカー", u"ワールドカップ", u"メジャーリーグ", u"コーナー",         u"レシピ",       u"シリーズ",
};
const std::vector<std::u16string> alphanumerics = {
    u"NHK", u"BS", u"4K", u"HD", u"2024", u"19:00", u"Vol.3", u"ABC", u"J-POP", u"No.1", u"DJ",
};
const std::vector<std::u16string> punctuation = {u"、", u"。", u"「", u"」",   u"・",    u"！",
                                                 u"？", u"（", u"）", u"１２", u"第３話"};
const std::vector<std::u16string> symbols = {u"①", u"②", u"③", u"㈱", u"Ⅱ", u"♪", u"㎡"};
const std::vector<std::u16string> serviceMarks = {u"[新]", u"[字]", u"[デ]", u"[二]",
                                                  u"[解]", u"[再]", u"[終]", u"[HV]"};

std::u16string makeTitle(Random& random) {
    std::u16string title;
    if (random.below(2) == 0) title += random.pick(serviceMarks);
    title += random.pick(kanjiWords);
    title += random.below(2) ? random.pick(katakanaWords) : random.pick(kanjiWords);
    if (random.below(3) == 0) title += u"　" + random.pick(alphanumerics);
    title += random.pick(serviceMarks);
    return title;
}

std::u16string makeSentence(Random& random) {
    std::u16string sentence;
    std::size_t words = 4 + random.below(8);
    for (std::size_t i = 0; i < words; ++i) {
        switch (random.below(10)) {
            case 0:
            case 1:
            case 2: sentence += random.pick(kanjiWords); break;
            case 3:
            case 4:
            case 5: sentence += random.pick(hiraganaRuns); break;
            case 6: sentence += random.pick(katakanaWords); break;
            case 7:
                sentence += random.pick(alphanumerics);
                sentence += u' ';
                break;
            case 8: sentence += random.pick(punctuation); break;
            default: sentence += random.below(2) ? random.pick(symbols) : random.pick(kanjiWords); break;
        }
    }
    sentence += u"。";
    return sentence;
}

}  // namespace

std::vector<std::u16string> makeProgrammeCorpus(std::size_t totalUnits, unsigned seed) {
    Random random(seed);
    std::vector<std::u16string> texts;
    std::size_t units = 0;
    while (units < totalUnits) {
        std::u16string text = makeTitle(random) + u"\r\n";
        std::size_t sentences = 2 + random.below(10);
        for (std::size_t i = 0; i < sentences; ++i) {
            text += makeSentence(random);
            if (random.below(3) == 0) text += u"\r\n";
        }
        units += text.size();
        texts.push_back(std::move(text));
    }
    return texts;
}
