#include "engine/PackToolkit.h"

#include "engine/PackFrame.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/SqlText.h"
#include "platform/Text.h"

namespace engine {
bool readRows(TDM1& dm, fb::Transaction& transaction, const std::vector<std::string>& lines,
              const std::function<void(const Row&)>& take, OnFailure onFailure,
              const std::vector<fb::SqlValue>& params) {
    try {
        {
            fb::Statement statement(transaction, lines);
            statement.open(params);
            while (statement.fetch()) {
                take(statement.row());
            }
        }
        transaction.commit();
        return true;
    } catch (const std::exception& error) {
        endAfterFailure(transaction, onFailure);
        dm.logFailure(fb::joinLines(lines), error);
        return false;
    }
}

bool writeRows(TDM1& dm, const std::vector<std::string>& lines, const std::function<void(fb::Statement&)>& body,
               OnFailure onFailure) {
    try {
        {
            fb::Statement statement(dm.IBTrWrite, lines);
            body(statement);
        }
        dm.IBTrWrite.commit();
        return true;
    } catch (const std::exception& error) {
        endAfterFailure(dm.IBTrWrite, onFailure);
        gauge2_Hide();
        dm.logFailure(fb::joinLines(lines), error);
        return false;
    }
}

std::int64_t integerField(const Row& row, size_t index) {
    return fb::integerOf(row.at(index));
}

std::string textField(const Row& row, size_t index) {
    return fb::toText(row.at(index));
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

std::int64_t lineAsInteger(const std::string& line, std::int64_t otherwise) {
    const auto value = platform::parseInt(line);
    return value ? *value : otherwise;
}

} // namespace engine
