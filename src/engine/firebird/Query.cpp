#include "engine/firebird/Query.h"

#include "engine/firebird/FbStatus.h"
#include "platform/Text.h"

#include <charconv>

namespace engine::fb {

std::int64_t integerOf(const SqlValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return *number;
    }
    if (const auto* scaled = std::get_if<Scaled>(&value)) {
        std::int64_t whole = scaled->digits;
        for (int i = 0; i < scaled->scale; ++i) {
            if (whole % 10 != 0) {
                throw FbError("the value " + toText(value) + " is not a whole number");
            }
            whole /= 10;
        }
        return whole;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        const auto parsed = platform::parseInt(platform::trimmed(*text));
        if (!parsed) {
            throw FbError("the value '" + *text + "' is not an integer");
        }
        return *parsed;
    }
    if (isNull(value)) {
        return 0;
    }
    throw FbError("the value " + toText(value) + " is not an integer");
}

double doubleOf(const SqlValue& value) {
    if (const auto* number = std::get_if<double>(&value)) {
        return *number;
    }
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*number);
    }
    if (const auto* scaled = std::get_if<Scaled>(&value)) {
        return scaled->toDouble();
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        const std::string trimmed = platform::trimmed(*text);
        double parsed = 0;
        const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), parsed);
        if (trimmed.empty() || error != std::errc() || end != trimmed.data() + trimmed.size()) {
            throw FbError("the value '" + *text + "' is not a number");
        }
        return parsed;
    }
    if (isNull(value)) {
        return 0;
    }
    throw FbError("the value " + toText(value) + " is not a number");
}

Query::Query(Transaction& transaction) : m_transaction(transaction) {}

Query::~Query() = default;

void Query::prepare() {
    close();
    m_statement = std::make_unique<Statement>(m_transaction, SQL);
}

void Query::open() {
    try {
        prepare();
        m_statement->open(Params);
        m_eof = !m_statement->fetch();
    } catch (...) {
        close();
        throw;
    }
}

void Query::execute() {
    try {
        prepare();
        m_statement->execute(Params);
    } catch (...) {
        close();
        throw;
    }
    m_eof = true;
}

void Query::next() {
    m_eof = !m_statement || !m_statement->fetch();
}

void Query::close() noexcept {
    m_statement.reset();
    m_eof = true;
}

const SqlValue& Query::field(size_t index) const {
    if (!m_statement || index >= m_statement->row().size()) {
        throw FbError("no field " + std::to_string(index) + " in the current row");
    }
    return m_statement->row()[index];
}

std::int64_t Query::fieldAsInteger(size_t index) const {
    return integerOf(field(index));
}

double Query::fieldAsDouble(size_t index) const {
    return doubleOf(field(index));
}

std::string Query::fieldAsString(size_t index) const {
    return toText(field(index));
}

} // namespace engine::fb
