#include "sample_stream.h"

#include "rpls/rpls_fixture.h"
#include "ts_stream_builder.h"

namespace ts_streams {

SampleProgramme sampleProgramme() {
    SampleProgramme programme;
    // ＮＨＫ総合１・東京
    programme.channelName =
        fixture::kanjiFromEucJp("\xA3\xCE\xA3\xC8\xA3\xCB\xC1\xED\xB9\xE7\xA3\xB1\xA1\xA6\xC5\xEC\xB5\xFE");
    // 日曜美術館「北斎の富士」
    programme.title = fixture::kanjiFromEucJp(
        "\xC6\xFC\xCD\xCB\xC8\xFE\xBD\xD1\xB4\xDB\xA1\xD6\xCB\xCC\xBA\xD8\xA4\xCE\xC9\xD9\xBB\xCE\xA1\xD7");
    // 浮世絵師・葛飾北斎が描いた富士山の魅力を、名作とともに紹介します。
    programme.text = fixture::kanjiFromEucJp(
        "\xC9\xE2\xC0\xA4\xB3\xA8\xBB\xD5\xA1\xA6\xB3\xEB\xBE\xFE\xCB\xCC\xBA\xD8\xA4\xAC\xC9\xC1\xA4\xA4\xA4\xBF"
        "\xC9\xD9\xBB\xCE\xBB\xB3\xA4\xCE\xCC\xA5\xCE\xCF\xA4\xF2\xA1\xA2\xCC\xBE\xBA\xEE\xA4\xC8\xA4\xC8\xA4\xE2"
        "\xA4\xCB\xBE\xD2\xB2\xF0\xA4\xB7\xA4\xDE\xA4\xB9\xA1\xA3");
    programme.items = {
        // 出演者 / 司会：山田太郎、佐藤花子
        {fixture::kanjiFromEucJp("\xBD\xD0\xB1\xE9\xBC\xD4"),
         fixture::kanjiFromEucJp("\xBB\xCA\xB2\xF1\xA1\xA7\xBB\xB3\xC5\xC4\xC2\xC0\xCF\xBA\xA1\xA2\xBA\xB4\xC6\xA3"
                                 "\xB2\xD6\xBB\xD2")},
        // 番組内容 / 北斎の代表作「富嶽三十六景」を、最新の研究とともに読み解きます。
        {fixture::kanjiFromEucJp("\xC8\xD6\xC1\xC8\xC6\xE2\xCD\xC6"),
         fixture::kanjiFromEucJp("\xCB\xCC\xBA\xD8\xA4\xCE\xC2\xE5\xC9\xBD\xBA\xEE\xA1\xD6\xC9\xD9\xD6\xD6\xBB\xB0"
                                 "\xBD\xBD\xCF\xBB\xB7\xCA\xA1\xD7\xA4\xF2\xA1\xA2\xBA\xC7\xBF\xB7\xA4\xCE\xB8\xA6"
                                 "\xB5\xE6\xA4\xC8\xA4\xC8\xA4\xE2\xA4\xCB\xC6\xC9\xA4\xDF\xB2\xF2\xA4\xAD\xA4\xDE"
                                 "\xA4\xB9\xA1\xA3")},
    };
    programme.genres = {0x80, 0xA2};  // documentary/culture, hobby/education
    return programme;
}

Bytes buildSampleStream(int packetSize) {
    const SampleProgramme programme = sampleProgramme();
    using P = SampleProgramme;

    const Bytes pat = patSection(P::kNetworkId, {{0, 0x0010}, {P::kServiceId, P::kPmtPid}});
    const Bytes pmt = pmtSection(P::kServiceId, P::kVideoPid, P::kVideoPid);

    EitFields present;
    present.serviceId = P::kServiceId;
    present.transportStreamId = P::kNetworkId;
    present.originalNetworkId = P::kNetworkId;
    EitEvent event;
    event.mjd = 60340;  // 2024-01-31
    event.startBcd = {0x20, 0x00, 0x00};
    event.durationBcd = {0x00, 0x45, 0x00};
    event.descriptors =
        concat({shortEventDescriptor(programme.title, programme.text),
                extendedEventDescriptor(0, 0, programme.items, {}), contentDescriptor(programme.genres)});
    present.events = {event};
    const Bytes eitPresent = eitSection(present);

    EitFields following = present;
    following.sectionNumber = 1;
    following.events[0].eventId = 2;
    following.events[0].startBcd = {0x20, 0x45, 0x00};
    following.events[0].descriptors = shortEventDescriptor(fixture::kanjiFromEucJp("\xA3\xCE\xA3\xC8\xA3\xCB"), {});
    const Bytes eitFollowing = eitSection(following);

    const Bytes sdt = sdtSection(0x42, P::kNetworkId, P::kNetworkId,
                                 {{P::kServiceId, serviceDescriptor(0x01, {}, programme.channelName)}});

    TsStreamBuilder builder(packetSize);
    for (int round = 0; round < 16; ++round) {
        builder.addSection(0x0000, pat);
        builder.addSection(P::kPmtPid, pmt);
        builder.addFillerPackets(40, P::kVideoPid);
        builder.addSections(0x0012, {eitPresent, eitFollowing});
        builder.addFillerPackets(40, P::kVideoPid);
        builder.addSection(0x0011, sdt);
        builder.addFillerPackets(20, P::kVideoPid);
    }
    return builder.bytes();
}

Bytes buildSampleSelectionStream(int packetSize) {
    const SampleProgramme programme = sampleProgramme();
    using P = SampleProgramme;
    const Bytes transmission =
        concat({networkIdentificationDescriptor(0x5442, P::kNetworkId), tsInformationDescriptor(1)});
    const Bytes events =
        concat({partialTsTimeDescriptor(60340, {0x20, 0x00, 0x00}, {0x00, 0x45, 0x00}),
                shortEventDescriptor(programme.title, programme.text),
                extendedEventDescriptor(0, 0, programme.items, {}), contentDescriptor(programme.genres)});
    const Bytes sit = sitSection(transmission, {{P::kServiceId, events}});

    TsStreamBuilder builder(packetSize);
    for (int round = 0; round < 16; ++round) {
        builder.addFillerPackets(60, P::kVideoPid);
        builder.addSection(0x001F, sit);
        builder.addFillerPackets(40, P::kVideoPid);
    }
    return builder.bytes();
}

Bytes buildSampleProgrammeBlock(int packetSize, int packets, bool withEit) {
    const SampleProgramme programme = sampleProgramme();
    using P = SampleProgramme;
    TsStreamBuilder block(packetSize);
    block.addSection(0x0000, patSection(P::kNetworkId, {{0, 0x0010}, {P::kServiceId, P::kPmtPid}}));
    block.addSection(P::kPmtPid, pmtSection(P::kServiceId, P::kVideoPid, P::kVideoPid));
    block.addSection(0x0011, sdtSection(0x42, P::kNetworkId, P::kNetworkId,
                                        {{P::kServiceId, serviceDescriptor(1, {}, programme.channelName)}}));
    if (withEit) {
        EitFields present;
        present.serviceId = P::kServiceId;
        present.originalNetworkId = P::kNetworkId;
        EitEvent event;
        event.descriptors =
            concat({shortEventDescriptor(programme.title, programme.text),
                    extendedEventDescriptor(0, 0, programme.items, {}), contentDescriptor(programme.genres)});
        present.events = {event};
        EitFields following = present;
        following.sectionNumber = 1;
        block.addSections(0x0012, {eitSection(present), eitSection(following)});
    }
    const int tables = static_cast<int>(block.bytes().size() / static_cast<std::size_t>(packetSize));
    block.addFillerPackets(packets - tables, P::kVideoPid);
    return block.bytes();
}

}  // namespace ts_streams
