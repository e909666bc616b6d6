// Writes one of three sample RPLS files for the demo:
//   make_sample_rpls news  PATH   layout 0x0108, description + extended text, two genres
//   make_sample_rpls movie PATH   layout 0x0103, private code, one genre
//   make_sample_rpls plain PATH   no private block
// Each has a PlayList(): news and plain play one clip each, movie two (an edited recording).
// An existing PATH is never overwritten.
#include <cstdio>
#include <cstring>

#include "rpls/rpls_fixture.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: make_sample_rpls news|movie|plain PATH\n");
        return 1;
    }
    fixture::RplsFields fields;
    // An unedited recording plays its whole clip: 45 minutes of clip 00001.
    fields.playItems = {{"00001", "M2TS", 0, 45 * 60 * 45000u}};
    if (std::strcmp(argv[1], "news") == 0) {
        fields.layout = fixture::BlockLayout::Layout0108;
        fields.channelNumber = 0x0011;
        fields.channelName = fixture::kanjiFromEucJp("\xA3\xCE\xA3\xC8\xA3\xCB\xC1\xED\xB9\xE7");    // ＮＨＫ総合
        fields.title = fixture::kanjiFromEucJp("\xC4\xAB\xA4\xCE\xA5\xCB\xA5\xE5\xA1\xBC\xA5\xB9");  // 朝のニュース
        // 今日の天気と交通情報をお伝えします。
        fields.text = fixture::kanjiFromEucJp(
            "\xBA\xA3\xC6\xFC\xA4\xCE\xC5\xB7\xB5\xA4\xA4\xC8\xB8\xF2\xC4\xCC\xBE\xF0\xCA\xF3\xA4\xF2\xA4\xAA\xC5"
            "\xC1\xA4\xA8\xA4\xB7\xA4\xDE\xA4\xB9\xA1\xA3");
        fields.extText =
            fixture::kanjiFromEucJp("\xBD\xD0\xB1\xE9\xA1\xA7\xBB\xB3\xC5\xC4\xC2\xC0\xCF\xBA");  // 出演：山田太郎
        fields.genres[0] = {true, 0x00};
        fields.genres[1] = {true, 0x01};
    } else if (std::strcmp(argv[1], "movie") == 0) {
        fields.layout = fixture::BlockLayout::Layout0103;
        fields.date[0] = 0x20;
        fields.date[1] = 0x23;
        fields.date[2] = 0x12;
        fields.date[3] = 0x24;
        fields.startTime[0] = 0x13;
        fields.startTime[1] = 0x30;
        fields.startTime[2] = 0x00;
        fields.duration[0] = 0x02;
        fields.duration[1] = 0x15;
        fields.duration[2] = 0x00;
        fields.channelNumber = 0x0007;
        fields.channelName = fixture::kanjiFromEucJp("\xA5\xC6\xA5\xEC\xA5\xD3\xC5\xEC\xB5\xFE");  // テレビ東京
        fields.title = fixture::kanjiFromEucJp(
            "\xB1\xC7\xB2\xE8\xA1\xD6\xC5\xEC\xB5\xFE\xCA\xAA\xB8\xEC\xA1\xD7");  // 映画「東京物語」
        fields.text = fixture::kanjiFromEucJp(
            "\xBE\xAE\xC4\xC5\xB0\xC2\xC6\xF3\xCF\xBA\xB4\xC6\xC6\xC4\xA4\xCE\xCC\xBE\xBA\xEE\xA1\xA3");  // 小津安二郎監督の名作。
        fields.privateCode = 0x1234;
        fields.genres[0] = {true, 0x60};
        // Edited: the opening of clip 00002, then most of clip 00003.
        fields.playItems = {{"00002", "M2TS", 0, 10 * 60 * 45000u}, {"00003", "M2TS", 45000u, 130 * 60 * 45000u}};
    } else if (std::strcmp(argv[1], "plain") == 0) {
        fields.layout = fixture::BlockLayout::None;
        fields.playItems = {{"00004", "M2TS", 0, 30 * 60 * 45000u}};
    } else {
        std::printf("unknown sample: %s\n", argv[1]);
        return 1;
    }
    if (!fixture::writeNewFile(argv[2], fixture::buildRpls(fields))) {
        std::printf("cannot create %s (it may exist already)\n", argv[2]);
        return 1;
    }
    return 0;
}
