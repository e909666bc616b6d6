#include "rpls/catalogue.h"

#include <cstdio>
#include <vector>

#include "platform/file.h"
#include "rpls/bdav_folder.h"
#include "rpls/dump_fields.h"
#include "rpls/json_text.h"
#include "rpls/whole_file.h"

namespace inspect {

namespace {

// The extension a codec identifier names: "M2TS" is ".m2ts". None for bytes that are not
// letters or digits, so that nothing read from a file reaches a path unchecked.
std::string codecExtension(const rpls::PlayItem& item) {
    std::string extension = ".";
    for (std::size_t i = 0; i < rpls::kCodecLength; ++i) {
        const char c = item.codec[i];
        if (c >= 'A' && c <= 'Z') {
            extension += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            extension += c;
        } else {
            return {};
        }
    }
    return extension;
}

dump::ClipStream findStream(const rpls::BdavFolder& bdav, const rpls::PlayItem& item) {
    dump::ClipStream stream;
    const std::string extension = codecExtension(item);
    if (extension.empty()) return stream;
    const std::string folder = bdav.stream.empty() ? rpls::joinPath(bdav.bdav, "STREAM") : bdav.stream;
    const platform::DirectoryEntry* entry = nullptr;
    if (rpls::findClipStream(bdav, item.clipName, extension.c_str(), entry) == rpls::StreamLookup::Found) {
        stream.path = rpls::joinPath(folder, entry->name);
        stream.present = true;
        stream.size = entry->size;
    } else {
        stream.path = rpls::joinPath(folder, item.clipName + extension);
    }
    return stream;
}

// Reads a playlist; an empty answer, or the reason it cannot be shown.
const char* loadPlaylist(const std::string& path, rpls::WholeFile& image) {
    platform::File file;
    if (!file.openExisting(path.c_str(), platform::Access::Read, false)) return "cannot be opened (開けません)";
    if (image.load(file) != rpls::WholeFile::Status::Ok) return "cannot be read (読み込めません)";
    if (image.size() < 4 || image.view().be32(0) != 0x504C5354) return "not an RPLS file (RPLSファイルではありません)";
    return "";
}

std::string orDash(const std::string& text) { return text.empty() ? "-" : text; }

std::string genresText(const rpls::ProgramInfo& info) {
    std::string out;
    for (const rpls::GenreEntry& genre : info.genres) {
        if (genre.present != 1) continue;
        if (!out.empty()) out += ", ";
        out += dump::genreName(genre.value, true);
    }
    return orDash(out);
}

std::string clipsText(const dump::Dump& d) {
    if (d.playList.problem != rpls::PlayListProblem::None) return dump::problemText(d.playList);
    std::string out;
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        const rpls::PlayItem& item = d.items[i];
        const dump::ClipStream& stream = d.streams[i];
        if (!out.empty()) out += ", ";
        out += std::string(item.clipName) + " " + dump::codecText(item) + " " + dump::clockText(item.inTime) + "-" +
               dump::clockText(item.outTime) + " ";
        out += stream.present ? std::to_string(stream.size) + " bytes" : std::string("missing");
    }
    return out.empty() ? "no PlayItems" : out;
}

void printLine(const dump::Dump& d) {
    const rpls::ProgramInfo& info = d.info;
    std::printf("%s  %s %s  %s  %s  %s  [%s]  %s\n", d.name.c_str(), dump::bcd(info.date, 4, "-").c_str(),
                dump::bcd(info.startTime, 3, ":").c_str(), dump::bcd(info.duration, 3, ":").c_str(),
                orDash(dump::decodeText(info.channelName, info.channelNameLength)).c_str(),
                orDash(dump::decodeText(info.title, info.titleLength)).c_str(), genresText(info).c_str(),
                clipsText(d).c_str());
}

}  // namespace

bool printCatalogue(const std::string& folder, bool json) {
    rpls::BdavFolder bdav;
    std::vector<std::string> names;
    switch (rpls::openBdavFolder(folder.c_str(), bdav)) {
        case rpls::BdavProblem::None: break;
        case rpls::BdavProblem::Unreadable:
            std::fprintf(stderr, "rpls-dump: %s: cannot read the folder (フォルダを読み込めません)\n", folder.c_str());
            return false;
        case rpls::BdavProblem::NoPlaylistFolder:
            std::fprintf(stderr, "rpls-dump: %s: no PLAYLIST folder (PLAYLIST フォルダがありません)\n", folder.c_str());
            return false;
    }
    if (!rpls::listPlaylists(bdav, names)) {
        std::fprintf(stderr, "rpls-dump: %s: cannot read the folder (フォルダを読み込めません)\n",
                     bdav.playlist.c_str());
        return false;
    }
    if (json) std::printf("[");
    bool allShown = true;
    static dump::Dump d;
    rpls::WholeFile image;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string path = rpls::joinPath(bdav.playlist, names[i]);
        const char* problem = loadPlaylist(path, image);
        if (json) std::printf(i == 0 ? "\n" : ",\n");
        if (*problem != '\0') {
            allShown = false;
            if (json) {
                std::string out = "{\"file\":";
                appendJsonString(out, path);
                out += ",\"error\":";
                appendJsonString(out, problem);
                std::printf("%s}", out.c_str());
            } else {
                std::printf("%s  %s\n", names[i].c_str(), problem);
            }
            continue;
        }
        d.name = json ? path : names[i];
        d.size = image.size();
        dump::decodeImage(image.view(), d);
        for (const rpls::PlayItem& item : d.items) d.streams.push_back(findStream(bdav, item));
        if (json) {
            std::printf("%s", dump::jsonObject(d).c_str());
        } else {
            printLine(d);
        }
    }
    if (json) std::printf(names.empty() ? "]\n" : "\n]\n");
    return allShown;
}

}  // namespace inspect
