// Names of the programme genres of the content descriptor (ARIB STD-B10): a genre byte holds
// content_nibble_level_1 in its high four bits and content_nibble_level_2 in its low four.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

namespace genres {

struct Name {
    const char* japanese;
    const char* english;
};

// Level 1, indexed by the high nibble.
inline constexpr Name kLevel1[16] = {
    {"ニュース／報道", "News"},
    {"スポーツ", "Sports"},
    {"情報／ワイドショー", "Information, tabloid show"},
    {"ドラマ", "Drama"},
    {"音楽", "Music"},
    {"バラエティ", "Variety"},
    {"映画", "Movies"},
    {"アニメ／特撮", "Animation, special effects"},
    {"ドキュメンタリー／教養", "Documentary, culture"},
    {"劇場／公演", "Theatre, performance"},
    {"趣味／教育", "Hobby, education"},
    {"福祉", "Welfare"},
    {"予備", "Reserved"},
    {"予備", "Reserved"},
    {"拡張", "Extension"},
    {"その他", "Other"},
};

struct SubName {
    std::uint8_t genre;  // the whole genre byte
    Name name;
};

// Level 2 where the standard names one; 0xF "その他" (other) of every level 1 is added by
// level2Name below, except where level 1 itself is reserved or an extension.
inline constexpr SubName kLevel2[] = {
    {0x00, {"定時・総合", "regular, general"}},
    {0x01, {"天気", "weather"}},
    {0x02, {"特集・ドキュメント", "special, documentary"}},
    {0x03, {"政治・国会", "politics, national assembly"}},
    {0x04, {"経済・市況", "economy, market"}},
    {0x05, {"海外・国際", "overseas, international"}},
    {0x06, {"解説", "commentary"}},
    {0x07, {"討論・会談", "discussion, conference"}},
    {0x08, {"報道特番", "special report"}},
    {0x09, {"ローカル・地域", "local, regional"}},
    {0x0A, {"交通", "traffic"}},
    {0x10, {"スポーツニュース", "sports news"}},
    {0x11, {"野球", "baseball"}},
    {0x12, {"サッカー", "football"}},
    {0x13, {"ゴルフ", "golf"}},
    {0x14, {"その他の球技", "other ball games"}},
    {0x15, {"相撲・格闘技", "sumo, martial arts"}},
    {0x16, {"オリンピック・国際大会", "Olympics, international games"}},
    {0x17, {"マラソン・陸上・水泳", "marathon, athletics, swimming"}},
    {0x18, {"モータースポーツ", "motor sports"}},
    {0x19, {"マリン・ウィンタースポーツ", "marine, winter sports"}},
    {0x1A, {"競馬・公営競技", "horse racing, public races"}},
    {0x20, {"芸能・ワイドショー", "entertainment, tabloid show"}},
    {0x21, {"ファッション", "fashion"}},
    {0x22, {"暮らし・住まい", "living, home"}},
    {0x23, {"健康・医療", "health, medical care"}},
    {0x24, {"ショッピング・通販", "shopping, mail order"}},
    {0x25, {"グルメ・料理", "gourmet, cooking"}},
    {0x26, {"イベント", "events"}},
    {0x27, {"番組紹介・お知らせ", "programme guide, notices"}},
    {0x30, {"国内ドラマ", "Japanese drama"}},
    {0x31, {"海外ドラマ", "overseas drama"}},
    {0x32, {"時代劇", "period drama"}},
    {0x40, {"国内ロック・ポップス", "Japanese rock, pop"}},
    {0x41, {"海外ロック・ポップス", "overseas rock, pop"}},
    {0x42, {"クラシック・オペラ", "classical, opera"}},
    {0x43, {"ジャズ・フュージョン", "jazz, fusion"}},
    {0x44, {"歌謡曲・演歌", "popular songs, enka"}},
    {0x45, {"ライブ・コンサート", "live, concert"}},
    {0x46, {"ランキング・リクエスト", "ranking, request"}},
    {0x47, {"カラオケ・のど自慢", "karaoke, amateur singing"}},
    {0x48, {"民謡・邦楽", "folk songs, Japanese music"}},
    {0x49, {"童謡・キッズ", "children's songs"}},
    {0x4A, {"民族音楽・ワールドミュージック", "ethnic, world music"}},
    {0x50, {"クイズ", "quiz"}},
    {0x51, {"ゲーム", "game"}},
    {0x52, {"トークバラエティ", "talk variety"}},
    {0x53, {"お笑い・コメディ", "comedy"}},
    {0x54, {"音楽バラエティ", "music variety"}},
    {0x55, {"旅バラエティ", "travel variety"}},
    {0x56, {"料理バラエティ", "cooking variety"}},
    {0x60, {"洋画", "foreign film"}},
    {0x61, {"邦画", "Japanese film"}},
    {0x62, {"アニメ", "animation"}},
    {0x70, {"国内アニメ", "Japanese animation"}},
    {0x71, {"海外アニメ", "overseas animation"}},
    {0x72, {"特撮", "special effects"}},
    {0x80, {"社会・時事", "society, current affairs"}},
    {0x81, {"歴史・紀行", "history, travel"}},
    {0x82, {"自然・動物・環境", "nature, animals, environment"}},
    {0x83, {"宇宙・科学・医学", "space, science, medicine"}},
    {0x84, {"カルチャー・伝統文化", "culture, tradition"}},
    {0x85, {"文学・文芸", "literature"}},
    {0x86, {"スポーツ", "sports"}},
    {0x87, {"ドキュメンタリー全般", "documentary in general"}},
    {0x88, {"インタビュー・討論", "interview, discussion"}},
    {0x90, {"現代劇・新劇", "modern drama"}},
    {0x91, {"ミュージカル", "musical"}},
    {0x92, {"ダンス・バレエ", "dance, ballet"}},
    {0x93, {"落語・演芸", "rakugo, vaudeville"}},
    {0x94, {"歌舞伎・古典", "kabuki, classical theatre"}},
    {0xA0, {"旅・釣り・アウトドア", "travel, fishing, outdoor"}},
    {0xA1, {"園芸・ペット・手芸", "gardening, pets, handicrafts"}},
    {0xA2, {"音楽・美術・工芸", "music, fine arts, crafts"}},
    {0xA3, {"囲碁・将棋", "go, shogi"}},
    {0xA4, {"麻雀・パチンコ", "mahjong, pachinko"}},
    {0xA5, {"車・オートバイ", "cars, motorcycles"}},
    {0xA6, {"コンピュータ・ＴＶゲーム", "computers, video games"}},
    {0xA7, {"会話・語学", "conversation, languages"}},
    {0xA8, {"幼児・小学生", "infants, primary school"}},
    {0xA9, {"中学生・高校生", "secondary school"}},
    {0xAA, {"大学生・受験", "university, entrance exams"}},
    {0xAB, {"生涯教育・資格", "lifelong learning, qualifications"}},
    {0xAC, {"教育問題", "education issues"}},
    {0xB0, {"高齢者", "the elderly"}},
    {0xB1, {"障害者", "people with disabilities"}},
    {0xB2, {"社会福祉", "social welfare"}},
    {0xB3, {"ボランティア", "volunteering"}},
    {0xB4, {"手話", "sign language"}},
    {0xB5, {"文字（字幕）", "text (subtitles)"}},
    {0xB6, {"音声解説", "audio description"}},
    {0xE0, {"BS/地上デジタル放送用番組付属情報", "programme attributes for BS and terrestrial digital"}},
    {0xE1, {"広帯域CSデジタル放送用拡張", "extension for wide-band CS digital"}},
};

inline constexpr Name kOtherLevel2{"その他", "other"};

inline constexpr const Name& level1Name(std::uint8_t genre) { return kLevel1[genre >> 4]; }

// The level-2 name of a genre byte, or nullptr where the standard names none.
inline constexpr const Name* level2Name(std::uint8_t genre) {
    for (const SubName& sub : kLevel2) {
        if (sub.genre == genre) return &sub.name;
    }
    const unsigned level1 = genre >> 4;
    const bool hasOther = level1 <= 0xB || level1 == 0xF;
    if ((genre & 0x0F) == 0x0F && hasOther) return &kOtherLevel2;
    return nullptr;
}

static_assert(std::size(kLevel1) == 16);
static_assert(std::string_view(level2Name(0x01)->english) == "weather");
static_assert(level2Name(0x0B) == nullptr && level2Name(0xCF) == nullptr);
static_assert(std::string_view(level2Name(0x6F)->japanese) == "その他");

}  // namespace genres
