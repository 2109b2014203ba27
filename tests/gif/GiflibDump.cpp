#include "GiflibDump.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

// "key=value" words of a line; bare words are ignored.
std::map<std::string, std::string> Fields(const std::string& line) {
    std::map<std::string, std::string> fields;
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
        const size_t eq = word.find('=');
        if (eq != std::string::npos) fields[word.substr(0, eq)] = word.substr(eq + 1);
    }
    return fields;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

int Int(const std::map<std::string, std::string>& fields, const std::string& key,
        int otherwise = 0) {
    const auto it = fields.find(key);
    return it == fields.end() ? otherwise : std::stoi(it->second);
}

void ParseFrameLine(DumpRecord& record, const std::string& line) {
    // "frame N: ..." or "frame N local_palette: ..."
    std::istringstream in(line.substr(6));
    size_t index = 0;
    in >> index;
    if (record.frames.size() <= index) record.frames.resize(index + 1);
    DumpFrame& frame = record.frames[index];
    const auto fields = Fields(line);
    if (line.find("local_palette:") != std::string::npos) {
        if (fields.count("entries")) {
            frame.localPalette = true;
            frame.localEntries = Int(fields, "entries");
            frame.localSorted = Int(fields, "sorted") != 0;
        }
    } else if (fields.count("rect")) {
        int l, t, w, h;
        char c;
        std::istringstream rect(fields.at("rect"));
        rect >> l >> c >> t >> c >> w >> c >> h;
        frame.left = l;
        frame.top = t;
        frame.width = w;
        frame.height = h;
        frame.interlaced = Int(fields, "interlace") != 0;
        frame.graphicControl = fields.at("gce") == "yes";
        if (frame.graphicControl) {
            frame.disposal = Int(fields, "disposal");
            frame.userInput = Int(fields, "user_input");
            frame.delay = Int(fields, "delay");
            const std::string transparent = fields.at("transparent");
            frame.transparent = transparent == "none" ? -1 : std::stoi(transparent);
            frame.graphicControlCount = Int(fields, "gce_count", 1);
        }
    } else if (fields.count("status")) {
        frame.decoded = fields.at("status") == "ok";
        if (frame.decoded) frame.pixelsMd5 = fields.at("pixels_md5");
    }
}

}  // namespace

std::vector<DumpRecord> ParseGiflibDump(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<DumpRecord> records;
    std::string lastApplicationId;
    std::string line;
    while (std::getline(in, line)) {
        if (StartsWith(line, "file: ")) {
            records.emplace_back();
            records.back().file = line.substr(6);
            lastApplicationId.clear();
            continue;
        }
        if (records.empty()) continue;
        DumpRecord& record = records.back();
        const auto fields = Fields(line);
        if (StartsWith(line, "signature: ")) {
            record.signature = line.substr(11);
        } else if (StartsWith(line, "screen: ")) {
            std::istringstream(line.substr(8)) >> record.screenWidth >> record.screenHeight;
        } else if (StartsWith(line, "background_index: ")) {
            record.background = std::stoi(line.substr(18));
        } else if (StartsWith(line, "aspect_byte: ")) {
            record.aspect = std::stoi(line.substr(13));
        } else if (StartsWith(line, "global_palette: ")) {
            record.globalPalette = fields.count("entries") != 0;
            record.globalEntries = Int(fields, "entries");
            record.globalSorted = Int(fields, "sorted") != 0;
        } else if (StartsWith(line, "extension: ")) {
            const size_t at = line.find("app_id=\"");
            lastApplicationId = at == std::string::npos ? "" : line.substr(at + 8, 11);
        } else if (StartsWith(line, "loop_extension: ")) {
            record.loops.push_back(
                {Int(fields, "before_frame"), std::stol(fields.at("count")), lastApplicationId});
        } else if (StartsWith(line, "frame ")) {
            ParseFrameLine(record, line);
        } else if (StartsWith(line, "end: ")) {
            record.endsWithTrailer = line == "end: trailer";
        }
    }
    return records;
}
