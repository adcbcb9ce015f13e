#include "engine/firebird/Query.h"

#include "engine/firebird/FbStatus.h"
#include "engine/firebird/SqlText.h"
#include "platform/Text.h"

#include <cstring>

namespace engine::fb {
namespace {

constexpr unsigned kUtf8 = 4;
constexpr unsigned kCoercedTextLength = 64;

StatementTrace& trace() {
    static StatementTrace instance;
    return instance;
}

template <typename T> void store(std::vector<unsigned char>& buffer, unsigned offset, const T& value) {
    std::memcpy(buffer.data() + offset, &value, sizeof value);
}

template <typename T> T load(const std::vector<unsigned char>& buffer, unsigned offset) {
    T value;
    std::memcpy(&value, buffer.data() + offset, sizeof value);
    return value;
}

// Describes each bound value to the server in its own type; the server converts.
void describeInput(Firebird::IMetadataBuilder* builder, Firebird::IMessageMetadata* declared, unsigned index,
                   const SqlValue& value) {
    Status status;
    const unsigned i = index;
    if (std::holds_alternative<std::int64_t>(value)) {
        builder->setType(&status, i, SQL_INT64 + 1);
        builder->setLength(&status, i, sizeof(std::int64_t));
        builder->setScale(&status, i, 0);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        builder->setType(&status, i, SQL_VARYING + 1);
        builder->setLength(&status, i, static_cast<unsigned>(text->empty() ? 1 : text->size()));
        builder->setCharSet(&status, i, kUtf8);
        builder->setScale(&status, i, 0);
    } else if (std::holds_alternative<Timestamp>(value)) {
        builder->setType(&status, i, SQL_TIMESTAMP + 1);
        builder->setLength(&status, i, sizeof(ISC_TIMESTAMP));
        builder->setScale(&status, i, 0);
    } else if (std::holds_alternative<Date>(value)) {
        builder->setType(&status, i, SQL_TYPE_DATE + 1);
        builder->setLength(&status, i, sizeof(ISC_DATE));
        builder->setScale(&status, i, 0);
    } else {
        builder->setType(&status, i, declared->getType(&status, i) | 1);
    }
}

void writeInput(std::vector<unsigned char>& buffer, Firebird::IMessageMetadata* meta, unsigned i,
                const SqlValue& value) {
    Status status;
    const unsigned offset = meta->getOffset(&status, i);
    store<short>(buffer, meta->getNullOffset(&status, i), isNull(value) ? -1 : 0);
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        store(buffer, offset, *number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        store<unsigned short>(buffer, offset, static_cast<unsigned short>(text->size()));
        std::memcpy(buffer.data() + offset + 2, text->data(), text->size());
    } else if (const auto* stamp = std::get_if<Timestamp>(&value)) {
        const auto& t = stamp->value;
        ISC_TIMESTAMP ts;
        ts.timestamp_date = util()->encodeDate(static_cast<unsigned>(t.year), static_cast<unsigned>(t.month),
                                               static_cast<unsigned>(t.day));
        ts.timestamp_time = util()->encodeTime(static_cast<unsigned>(t.hour), static_cast<unsigned>(t.minute),
                                               static_cast<unsigned>(t.second), 0);
        store(buffer, offset, ts);
    } else if (const auto* date = std::get_if<Date>(&value)) {
        store(buffer, offset,
              util()->encodeDate(static_cast<unsigned>(date->year), static_cast<unsigned>(date->month),
                                 static_cast<unsigned>(date->day)));
    }
}

// Integers come back as BIGINT, texts and blobs as they are, everything else as text.
void describeOutput(Firebird::IMetadataBuilder* builder, Firebird::IMessageMetadata* declared, unsigned i) {
    Status status;
    const unsigned type = declared->getType(&status, i) & ~1u;
    const int scale = declared->getScale(&status, i);
    if ((type == SQL_SHORT || type == SQL_LONG || type == SQL_INT64) && scale == 0) {
        builder->setType(&status, i, SQL_INT64 + 1);
        builder->setLength(&status, i, sizeof(std::int64_t));
    } else if (type == SQL_TEXT || type == SQL_VARYING || type == SQL_BLOB) {
        builder->setType(&status, i, type + 1);
    } else {
        builder->setType(&status, i, SQL_VARYING + 1);
        builder->setLength(&status, i, kCoercedTextLength);
        builder->setCharSet(&status, i, kUtf8);
        builder->setScale(&status, i, 0);
    }
}

std::string readBlob(Transaction& transaction, ISC_QUAD id) {
    Status status;
    Firebird::IBlob* blob = transaction.connection().handle()->openBlob(&status, transaction.handle(), &id, 0, nullptr);
    std::string text;
    try {
        char chunk[16384];
        for (;;) {
            unsigned length = 0;
            const int result = blob->getSegment(&status, sizeof chunk, chunk, &length);
            if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT) {
                break;
            }
            text.append(chunk, length);
        }
        blob->close(&status);
    } catch (...) {
        blob->release();
        throw;
    }
    return text;
}

void releaseMeta(Firebird::IMessageMetadata*& meta) {
    if (meta) {
        meta->release();
        meta = nullptr;
    }
}

} // namespace

void setStatementTrace(StatementTrace t) {
    trace() = std::move(t);
}

Query::Query(Transaction& transaction) : m_transaction(transaction) {}

Query::~Query() {
    close();
}

void Query::prepare() {
    close();
    m_transaction.start();
    const PreparedText text = rewriteParameters(joinLines(SQL));
    if (trace()) {
        trace()(joinLines(SQL));
    }
    guarded([&] {
        Status status;
        m_statement = m_transaction.connection().handle()->prepare(&status, m_transaction.handle(), 0, text.sql.c_str(),
                                                                   SQL_DIALECT_V6,
                                                                   Firebird::IStatement::PREPARE_PREFETCH_METADATA);

        Firebird::IMessageMetadata* declaredIn = m_statement->getInputMetadata(&status);
        const unsigned inputs = declaredIn->getCount(&status);
        if (inputs > 0) {
            Firebird::IMetadataBuilder* builder = declaredIn->getBuilder(&status);
            try {
                for (unsigned i = 0; i < inputs; ++i) {
                    const int number = i < text.parameterOrder.size() ? text.parameterOrder[i] : -1;
                    const SqlValue none;
                    const SqlValue& value = number >= 0 && static_cast<size_t>(number) < Params.size()
                                                ? Params[static_cast<size_t>(number)]
                                                : none;
                    describeInput(builder, declaredIn, i, value);
                }
                m_inputMeta = builder->getMetadata(&status);
            } catch (...) {
                builder->release();
                declaredIn->release();
                throw;
            }
            builder->release();
            m_inputBuffer.assign(m_inputMeta->getMessageLength(&status), 0);
            for (unsigned i = 0; i < inputs; ++i) {
                const int number = i < text.parameterOrder.size() ? text.parameterOrder[i] : -1;
                const SqlValue none;
                writeInput(m_inputBuffer, m_inputMeta, i,
                           number >= 0 && static_cast<size_t>(number) < Params.size()
                               ? Params[static_cast<size_t>(number)]
                               : none);
            }
        }
        declaredIn->release();

        Firebird::IMessageMetadata* declaredOut = m_statement->getOutputMetadata(&status);
        const unsigned outputs = declaredOut->getCount(&status);
        if (outputs > 0) {
            Firebird::IMetadataBuilder* builder = declaredOut->getBuilder(&status);
            try {
                for (unsigned i = 0; i < outputs; ++i) {
                    describeOutput(builder, declaredOut, i);
                }
                m_outputMeta = builder->getMetadata(&status);
            } catch (...) {
                builder->release();
                declaredOut->release();
                throw;
            }
            builder->release();
            m_outputBuffer.assign(m_outputMeta->getMessageLength(&status), 0);
        }
        declaredOut->release();
    });
}

void Query::open() {
    try {
        prepare();
        guarded([&] {
            Status status;
            m_cursor = m_statement->openCursor(&status, m_transaction.handle(), m_inputMeta,
                                               m_inputBuffer.empty() ? nullptr : m_inputBuffer.data(), m_outputMeta, 0);
        });
        fetch();
    } catch (...) {
        close();
        throw;
    }
}

void Query::execute() {
    try {
        prepare();
        guarded([&] {
            Status status;
            m_statement->execute(&status, m_transaction.handle(), m_inputMeta,
                                 m_inputBuffer.empty() ? nullptr : m_inputBuffer.data(), m_outputMeta,
                                 m_outputBuffer.empty() ? nullptr : m_outputBuffer.data());
        });
    } catch (...) {
        close();
        throw;
    }
    m_eof = true;
    m_row.clear();
}

void Query::next() {
    if (!m_cursor) {
        m_eof = true;
        return;
    }
    fetch();
}

void Query::fetch() {
    m_row.clear();
    guarded([&] {
        Status status;
        m_eof = m_cursor->fetchNext(&status, m_outputBuffer.data()) != Firebird::IStatus::RESULT_OK;
        if (m_eof || !m_outputMeta) {
            return;
        }
        const unsigned count = m_outputMeta->getCount(&status);
        for (unsigned i = 0; i < count; ++i) {
            if (load<short>(m_outputBuffer, m_outputMeta->getNullOffset(&status, i)) != 0) {
                m_row.emplace_back(std::monostate{});
                continue;
            }
            const unsigned offset = m_outputMeta->getOffset(&status, i);
            const unsigned type = m_outputMeta->getType(&status, i) & ~1u;
            if (type == SQL_INT64) {
                m_row.emplace_back(load<std::int64_t>(m_outputBuffer, offset));
            } else if (type == SQL_VARYING) {
                const auto length = load<unsigned short>(m_outputBuffer, offset);
                m_row.emplace_back(
                    std::string(reinterpret_cast<const char*>(m_outputBuffer.data() + offset + 2), length));
            } else if (type == SQL_TEXT) {
                const unsigned length = m_outputMeta->getLength(&status, i);
                m_row.emplace_back(platform::trimmedRight(
                    std::string(reinterpret_cast<const char*>(m_outputBuffer.data() + offset), length)));
            } else if (type == SQL_BLOB) {
                m_row.emplace_back(readBlob(m_transaction, load<ISC_QUAD>(m_outputBuffer, offset)));
            } else {
                m_row.emplace_back(std::monostate{});
            }
        }
    });
}

void Query::close() noexcept {
    if (m_cursor) {
        try {
            Status status;
            m_cursor->close(&status);
        } catch (const Firebird::FbException&) {
            m_cursor->release();
        }
        m_cursor = nullptr;
    }
    if (m_statement) {
        try {
            Status status;
            m_statement->free(&status);
        } catch (const Firebird::FbException&) {
            m_statement->release();
        }
        m_statement = nullptr;
    }
    releaseMeta(m_inputMeta);
    releaseMeta(m_outputMeta);
    m_inputBuffer.clear();
    m_outputBuffer.clear();
    m_row.clear();
    m_eof = true;
}

const SqlValue& Query::field(size_t index) const {
    if (index >= m_row.size()) {
        throw FbError("no field " + std::to_string(index) + " in the current row");
    }
    return m_row[index];
}

std::int64_t Query::fieldAsInteger(size_t index) const {
    const SqlValue& value = field(index);
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return *number;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        const auto parsed = platform::parseInt(platform::trimmed(*text));
        if (!parsed) {
            throw FbError("the value '" + *text + "' is not an integer");
        }
        return *parsed;
    }
    return 0;
}

std::string Query::fieldAsString(size_t index) const {
    const SqlValue& value = field(index);
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*number);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return {};
}

} // namespace engine::fb
