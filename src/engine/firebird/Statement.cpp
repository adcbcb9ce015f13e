#include "engine/firebird/Statement.h"

#include "engine/firebird/Query.h"
#include "engine/firebird/SqlText.h"
#include "platform/Text.h"
#include "platform/WriteFault.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iberror.h>
#include <optional>
#include <utility>

namespace engine::fb {
namespace {

constexpr unsigned kUtf8 = 4;
constexpr unsigned kOctets = 1;
constexpr unsigned kNone = 0;
constexpr unsigned kMaxUtf8BytesPerCharacter = 4;
// The longest VARCHAR a message can carry.
constexpr unsigned kMaxVaryingBytes = 32765;
// Room for a text that Firebird converts to a number, a date or a time.
constexpr unsigned kConvertedTextBytes = 1024;
constexpr unsigned kBlobSegment = 32768;

// A block's text and message stay well inside what Firebird takes (64 KB each).
constexpr size_t kLongestBlockText = 60000;
constexpr size_t kLongestBlockMessage = 60000;

bool writesRows(const std::string& sql) {
    const size_t start = sql.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) {
        return false;
    }
    const std::string word = platform::upperAscii(sql.substr(start, 7));
    return word.starts_with("INSERT") || word.starts_with("UPDATE") || word.starts_with("DELETE");
}

std::string blockParameter(size_t occurrence, size_t copy) {
    return "B" + std::to_string(occurrence) + "_" + std::to_string(copy);
}

// A call to the server; when the server has ended the attachment, its side of the
// attachment is closed before the failure goes on.
template <typename Call> decltype(auto) answered(Transaction& transaction, Call&& call) {
    try {
        return guarded(std::forward<Call>(call));
    } catch (const FbError& error) {
        if (error.kind() == FailureKind::ServerUnreachable) {
            transaction.connection().abandon();
        }
        throw;
    }
}

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

// How one parameter travels for the value it has this time.
enum class Binding { Null, Integer, Double, Scaled, Text, ConvertedText, BlobText, Date, Time, Timestamp };

struct Declared {
    unsigned type = 0;
    unsigned length = 0;
    unsigned charSet = 0;
};

bool isText(unsigned type) {
    return type == SQL_TEXT || type == SQL_VARYING;
}

// The bytes a text parameter can take in UTF-8, however its column counts characters.
unsigned textCapacity(const Declared& declared) {
    if (declared.charSet == kUtf8 || declared.charSet == kOctets || declared.charSet == kNone) {
        return std::min(declared.length, kMaxVaryingBytes);
    }
    return std::min(declared.length * kMaxUtf8BytesPerCharacter, kMaxVaryingBytes);
}

Binding bindingOf(const SqlValue& value, const Declared& declared) {
    if (std::holds_alternative<std::monostate>(value)) {
        return Binding::Null;
    }
    if (std::holds_alternative<std::int64_t>(value)) {
        return Binding::Integer;
    }
    if (std::holds_alternative<double>(value)) {
        return Binding::Double;
    }
    if (std::holds_alternative<Scaled>(value)) {
        return Binding::Scaled;
    }
    if (std::holds_alternative<Date>(value)) {
        return Binding::Date;
    }
    if (std::holds_alternative<Time>(value)) {
        return Binding::Time;
    }
    if (std::holds_alternative<Timestamp>(value)) {
        return Binding::Timestamp;
    }
    if (declared.type == SQL_BLOB) {
        return Binding::BlobText;
    }
    return isText(declared.type) ? Binding::Text : Binding::ConvertedText;
}

// Firebird keeps the years 1 to 9999, and its day arithmetic would carry a day the
// calendar does not have (30.02) over into the next month.
bool keptDay(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
        return false;
    }
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return date.ok();
}

ISC_DATE encodeDate(int year, int month, int day, const std::string& statement) {
    if (!keptDay(year, month, day)) {
        char text[48];
        std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
        throw FbError("the date " + std::string(text) + " is not a day Firebird can keep\n" + statement);
    }
    return util()->encodeDate(static_cast<unsigned>(year), static_cast<unsigned>(month), static_cast<unsigned>(day));
}

ISC_TIME encodeTime(int hour, int minute, int second, int fraction) {
    return util()->encodeTime(static_cast<unsigned>(hour), static_cast<unsigned>(minute), static_cast<unsigned>(second),
                              static_cast<unsigned>(fraction));
}

std::string readBlob(Transaction& transaction, ISC_QUAD id) {
    Status status;
    BlobHandle blob(transaction.connection().handle()->openBlob(&status, transaction.handle(), &id, 0, nullptr));
    std::string bytes;
    std::vector<char> chunk(kBlobSegment);
    for (;;) {
        unsigned length = 0;
        const int result = blob->getSegment(&status, static_cast<unsigned>(chunk.size()), chunk.data(), &length);
        if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT) {
            break;
        }
        bytes.append(chunk.data(), length);
    }
    endWith(blob, [](Firebird::IBlob* b, Firebird::ThrowStatusWrapper* s) { b->close(s); });
    return bytes;
}

ISC_QUAD writeBlob(Transaction& transaction, const std::string& bytes) {
    Status status;
    ISC_QUAD id{};
    BlobHandle blob(transaction.connection().handle()->createBlob(&status, transaction.handle(), &id, 0, nullptr));
    for (size_t at = 0; at < bytes.size(); at += kBlobSegment) {
        const size_t length = std::min<size_t>(kBlobSegment, bytes.size() - at);
        blob->putSegment(&status, static_cast<unsigned>(length), bytes.data() + at);
    }
    endWith(blob, [](Firebird::IBlob* b, Firebird::ThrowStatusWrapper* s) { b->close(s); });
    return id;
}

} // namespace

void setStatementTrace(StatementTrace t) {
    trace() = std::move(t);
}

bool statementTimesOn() {
    static const bool on = [] {
        const char* flag = std::getenv("ZURUZOD_STATEMENT_TIMES");
        return flag != nullptr && std::string(flag) == "1";
    }();
    return on;
}

// Adds the time of one call to a total, when the statement keeps its times.
class Statement::Timed {
public:
    Timed(bool on, Clock::duration& total) : m_total(on ? &total : nullptr) {
        if (m_total) {
            m_start = Clock::now();
        }
    }
    ~Timed() {
        if (m_total) {
            *m_total += Clock::now() - m_start;
        }
    }
    Timed(const Timed&) = delete;
    Timed& operator=(const Timed&) = delete;

private:
    Clock::duration* m_total;
    Clock::time_point m_start;
};

struct Statement::Input {
    MetadataHandle declaredMeta;
    std::vector<Declared> declared;
    std::vector<Binding> bindings;
    std::vector<int> scales;
    MetadataHandle meta;
    std::vector<unsigned char> buffer;
};

struct Statement::Output {
    struct Column {
        unsigned type = 0;
        int scale = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
        unsigned length = 0;
    };
    MetadataHandle meta;
    std::vector<Column> columns;
    std::vector<unsigned char> buffer;
};

struct Statement::Gathering {
    size_t perTrip = 0;
    std::unique_ptr<Statement> block;
    std::vector<std::vector<SqlValue>> runs;
};

Statement::Statement(Transaction& transaction, const std::vector<std::string>& lines)
    : m_transaction(transaction), m_text(joinLines(lines)), m_timed(statementTimesOn()) {
    const Timed timed(m_timed, m_prepareTime);
    const PreparedText prepared = rewriteParameters(m_text);
    m_parameterOrder = prepared.parameterOrder;
    m_transaction.start();
    if (trace()) {
        trace()(m_text);
    }
    guarded([&] {
        Status status;
        m_statement.reset(m_transaction.connection().handle()->prepare(
            &status, m_transaction.handle(), 0, prepared.sql.c_str(), SQL_DIALECT_V6,
            Firebird::IStatement::PREPARE_PREFETCH_METADATA));

        auto input = std::make_unique<Input>();
        input->declaredMeta.reset(m_statement->getInputMetadata(&status));
        const unsigned inputs = input->declaredMeta->getCount(&status);
        for (unsigned i = 0; i < inputs; ++i) {
            input->declared.push_back({input->declaredMeta->getType(&status, i) & ~1u,
                                       input->declaredMeta->getLength(&status, i),
                                       input->declaredMeta->getCharSet(&status, i)});
        }
        m_input = std::move(input);

        auto output = std::make_unique<Output>();
        MetadataHandle declaredOut(m_statement->getOutputMetadata(&status));
        const unsigned outputs = declaredOut->getCount(&status);
        if (outputs > 0) {
            MetadataBuilderHandle builder(declaredOut->getBuilder(&status));
            for (unsigned i = 0; i < outputs; ++i) {
                const unsigned type = declaredOut->getType(&status, i) & ~1u;
                switch (type) {
                case SQL_SHORT:
                case SQL_LONG:
                case SQL_INT64:
                    builder->setType(&status, i, SQL_INT64 + 1);
                    builder->setLength(&status, i, sizeof(std::int64_t));
                    break;
                case SQL_FLOAT:
                case SQL_DOUBLE:
                case SQL_D_FLOAT:
                    builder->setType(&status, i, SQL_DOUBLE + 1);
                    builder->setLength(&status, i, sizeof(double));
                    builder->setScale(&status, i, 0);
                    break;
                case SQL_TEXT:
                case SQL_VARYING:
                case SQL_BLOB:
                case SQL_TYPE_DATE:
                case SQL_TYPE_TIME:
                case SQL_TIMESTAMP:
                case SQL_BOOLEAN:
                case SQL_NULL:
                    builder->setType(&status, i, type + 1);
                    break;
                default:
                    throw FbError("column " + std::to_string(i + 1) + " of the statement has a type the program " +
                                  "cannot read (type code " + std::to_string(type) + ")\n" + m_text);
                }
            }
            output->meta.reset(builder->getMetadata(&status));
            output->buffer.assign(output->meta->getMessageLength(&status), 0);
            for (unsigned i = 0; i < outputs; ++i) {
                output->columns.push_back({output->meta->getType(&status, i) & ~1u, output->meta->getScale(&status, i),
                                           output->meta->getOffset(&status, i), output->meta->getNullOffset(&status, i),
                                           output->meta->getLength(&status, i)});
            }
        }
        m_output = std::move(output);
    });
}

Statement::~Statement() {
    if (m_timed) {
        tellTimes();
    }
}

void Statement::tellTimes() const {
    std::string oneLine = m_text;
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    std::fprintf(stderr, "statement %.3f s, prepare %.3f s, %zu runs, %zu rows: %s\n", seconds(m_runTime),
                 seconds(m_prepareTime), m_runs, m_rows, oneLine.c_str());
}

void Statement::bind(const std::vector<SqlValue>& params) {
    Input& in = *m_input;
    const size_t count = in.declared.size();
    if (count == 0) {
        return;
    }
    std::vector<const SqlValue*> values(count);
    for (size_t i = 0; i < count; ++i) {
        const int number = i < m_parameterOrder.size() ? m_parameterOrder[i] : -1;
        if (number < 0 || static_cast<size_t>(number) >= params.size()) {
            throw FbError("no value was given for the parameter " +
                          (number < 0 ? "number " + std::to_string(i + 1) : ":p" + std::to_string(number)) +
                          " of the statement\n" + m_text);
        }
        values[i] = &params[static_cast<size_t>(number)];
    }

    std::vector<Binding> bindings(count);
    std::vector<int> scales(count, 0);
    for (size_t i = 0; i < count; ++i) {
        bindings[i] = bindingOf(*values[i], in.declared[i]);
        if (const auto* scaled = std::get_if<Scaled>(values[i])) {
            scales[i] = scaled->scale;
        }
    }
    if (!in.meta || bindings != in.bindings || scales != in.scales) {
        guarded([&] {
            Status status;
            MetadataBuilderHandle builder(in.declaredMeta->getBuilder(&status));
            for (unsigned i = 0; i < count; ++i) {
                const Declared& declared = in.declared[i];
                switch (bindings[i]) {
                case Binding::Null:
                case Binding::BlobText:
                    builder->setType(&status, i, declared.type | 1u);
                    break;
                case Binding::Integer:
                case Binding::Scaled:
                    builder->setType(&status, i, SQL_INT64 + 1);
                    builder->setLength(&status, i, sizeof(std::int64_t));
                    builder->setScale(&status, i, -scales[i]);
                    break;
                case Binding::Double:
                    builder->setType(&status, i, SQL_DOUBLE + 1);
                    builder->setLength(&status, i, sizeof(double));
                    builder->setScale(&status, i, 0);
                    break;
                case Binding::Text:
                case Binding::ConvertedText: {
                    const bool binary =
                        bindings[i] == Binding::Text && (declared.charSet == kOctets || declared.charSet == kNone);
                    builder->setType(&status, i, SQL_VARYING + 1);
                    builder->setCharSet(&status, i, binary ? declared.charSet : kUtf8);
                    builder->setLength(&status, i,
                                       bindings[i] == Binding::Text ? textCapacity(declared) : kConvertedTextBytes);
                    builder->setScale(&status, i, 0);
                    break;
                }
                case Binding::Date:
                    builder->setType(&status, i, SQL_TYPE_DATE + 1);
                    builder->setLength(&status, i, sizeof(ISC_DATE));
                    builder->setScale(&status, i, 0);
                    break;
                case Binding::Time:
                    builder->setType(&status, i, SQL_TYPE_TIME + 1);
                    builder->setLength(&status, i, sizeof(ISC_TIME));
                    builder->setScale(&status, i, 0);
                    break;
                case Binding::Timestamp:
                    builder->setType(&status, i, SQL_TIMESTAMP + 1);
                    builder->setLength(&status, i, sizeof(ISC_TIMESTAMP));
                    builder->setScale(&status, i, 0);
                    break;
                }
            }
            in.meta.reset(builder->getMetadata(&status));
            in.buffer.assign(in.meta->getMessageLength(&status), 0);
        });
        in.bindings = bindings;
        in.scales = scales;
    }

    Status status;
    guarded([&] {
        for (unsigned i = 0; i < count; ++i) {
            const SqlValue& value = *values[i];
            const unsigned offset = in.meta->getOffset(&status, i);
            store<short>(in.buffer, in.meta->getNullOffset(&status, i), bindings[i] == Binding::Null ? -1 : 0);
            switch (bindings[i]) {
            case Binding::Null:
                break;
            case Binding::Integer:
                store(in.buffer, offset, std::get<std::int64_t>(value));
                break;
            case Binding::Scaled:
                store(in.buffer, offset, std::get<Scaled>(value).digits);
                break;
            case Binding::Double:
                store(in.buffer, offset, std::get<double>(value));
                break;
            case Binding::Text:
            case Binding::ConvertedText: {
                const std::string& text = std::get<std::string>(value);
                const unsigned capacity = in.meta->getLength(&status, i);
                if (text.size() > capacity) {
                    throw FbError("a text of " + std::to_string(text.size()) + " bytes does not fit the parameter :p" +
                                  std::to_string(m_parameterOrder[i]) + ", which takes at most " +
                                  std::to_string(capacity) + " bytes\n" + m_text);
                }
                store<unsigned short>(in.buffer, offset, static_cast<unsigned short>(text.size()));
                std::memcpy(in.buffer.data() + offset + sizeof(unsigned short), text.data(), text.size());
                break;
            }
            case Binding::BlobText:
                store(in.buffer, offset, writeBlob(m_transaction, std::get<std::string>(value)));
                break;
            case Binding::Date: {
                const Date& d = std::get<Date>(value);
                store(in.buffer, offset, encodeDate(d.year, d.month, d.day, m_text));
                break;
            }
            case Binding::Time: {
                const Time& t = std::get<Time>(value);
                store(in.buffer, offset, encodeTime(t.hour, t.minute, t.second, t.fraction));
                break;
            }
            case Binding::Timestamp: {
                const Timestamp& stamp = std::get<Timestamp>(value);
                const platform::DateTime& t = stamp.value;
                ISC_TIMESTAMP ts;
                ts.timestamp_date = encodeDate(t.year, t.month, t.day, m_text);
                ts.timestamp_time = encodeTime(t.hour, t.minute, t.second, stamp.fraction);
                store(in.buffer, offset, ts);
                break;
            }
            }
        }
    });
}

void Statement::execute(const std::vector<SqlValue>& params) {
    if (platform::writeFaultDue()) {
        throw FbError("I/O error during \"write\" operation\n-No space left on device",
                      {isc_io_error, isc_io_write_err}, "08001", ENOSPC);
    }
    ++m_runs;
    if (m_gathering) {
        m_gathering->runs.push_back(params);
        if (m_gathering->runs.size() == m_gathering->perTrip) {
            sendBlock();
        }
        return;
    }
    run(params);
}

void Statement::run(const std::vector<SqlValue>& params) {
    const Timed timed(m_timed, m_runTime);
    closeCursor();
    m_transaction.start();
    bind(params);
    m_row.clear();
    answered(m_transaction, [&] {
        Status status;
        m_statement->execute(&status, m_transaction.handle(), m_input->meta.get(),
                             m_input->buffer.empty() ? nullptr : m_input->buffer.data(), m_output->meta.get(),
                             m_output->buffer.empty() ? nullptr : m_output->buffer.data());
    });
    if (m_output->meta) {
        readRow();
    }
}

namespace {

// A character set's name and the bytes its widest character takes.
std::pair<std::string, unsigned> characterSet(unsigned id, Transaction& transaction) {
    Statement lookup(transaction, {"SELECT TRIM(RDB$CHARACTER_SET_NAME), RDB$BYTES_PER_CHARACTER",
                                   "FROM RDB$CHARACTER_SETS WHERE RDB$CHARACTER_SET_ID = :p0"});
    lookup.execute({static_cast<std::int64_t>(id)});
    const auto& row = lookup.row();
    if (row.size() != 2 || isNull(row[0])) {
        throw FbError("the character set " + std::to_string(id) + " is not in the catalogue");
    }
    return {toText(row[0]), static_cast<unsigned>(std::max<std::int64_t>(integerOf(row[1]), 1))};
}

std::string numeric(const char* plain, int digits, int scale) {
    return scale == 0 ? std::string(plain) : "NUMERIC(" + std::to_string(digits) + "," + std::to_string(-scale) + ")";
}

// The type a block declares for a parameter so that it takes its values exactly as the
// statement's own parameter does; none for a type it cannot declare.
std::optional<std::string> declaredType(Firebird::IMessageMetadata& meta, unsigned i, Transaction& transaction) {
    Status status;
    const unsigned type = meta.getType(&status, i) & ~1u;
    const int scale = meta.getScale(&status, i);
    switch (type) {
    case SQL_SHORT:
        return numeric("SMALLINT", 4, scale);
    case SQL_LONG:
        return numeric("INTEGER", 9, scale);
    case SQL_INT64:
        return numeric("BIGINT", 18, scale);
    case SQL_FLOAT:
        return "FLOAT";
    case SQL_DOUBLE:
        return "DOUBLE PRECISION";
    case SQL_TYPE_DATE:
        return "DATE";
    case SQL_TYPE_TIME:
        return "TIME";
    case SQL_TIMESTAMP:
        return "TIMESTAMP";
    case SQL_BOOLEAN:
        return "BOOLEAN";
    case SQL_TEXT:
    case SQL_VARYING: {
        const auto [name, bytes] = characterSet(meta.getCharSet(&status, i) & 0xFFu, transaction);
        const unsigned characters = std::max(meta.getLength(&status, i) / bytes, 1u);
        return std::string(type == SQL_TEXT ? "CHAR(" : "VARCHAR(") + std::to_string(characters) + ") CHARACTER SET " +
               plainIdentifier(name);
    }
    case SQL_BLOB: {
        const int subType = meta.getSubType(&status, i);
        if (subType != 1) {
            return "BLOB SUB_TYPE " + std::to_string(subType);
        }
        return "BLOB SUB_TYPE 1 CHARACTER SET " +
               plainIdentifier(characterSet(meta.getCharSet(&status, i) & 0xFFu, transaction).first);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

bool Statement::gatherRuns(size_t perTrip) {
    if (m_gathering) {
        return true;
    }
    const Input& in = *m_input;
    if (perTrip < 2 || m_output->meta || in.declared.empty() || !writesRows(m_text)) {
        return false;
    }
    std::vector<std::string> types;
    size_t setBytes = 0;
    for (unsigned i = 0; i < in.declared.size(); ++i) {
        auto type = guarded([&] { return declaredType(*in.declaredMeta, i, m_transaction); });
        if (!type) {
            return false;
        }
        types.push_back(std::move(*type));
        // What bind() may put in the block's message for this parameter, with its null flag and alignment.
        setBytes += (isText(in.declared[i].type) ? textCapacity(in.declared[i]) + 2 : sizeof(ISC_QUAD)) + 8;
    }
    const size_t copyBytes = m_text.size() + types.size() * 48;
    perTrip = std::min({perTrip, kLongestBlockText / copyBytes, kLongestBlockMessage / setBytes});
    if (perTrip < 2) {
        return false;
    }

    const size_t count = types.size();
    std::vector<std::string> lines = {"EXECUTE BLOCK ("};
    for (size_t k = 0; k < perTrip; ++k) {
        for (size_t i = 0; i < count; ++i) {
            const bool last = k + 1 == perTrip && i + 1 == count;
            lines.push_back(blockParameter(i, k) + " " + types[i] + " = :p" + std::to_string(k * count + i) +
                            (last ? ")" : ","));
        }
    }
    lines.push_back("AS");
    lines.push_back("BEGIN");
    for (size_t k = 0; k < perTrip; ++k) {
        lines.push_back(
            replaceParameters(m_text, [k](int, size_t occurrence) { return ":" + blockParameter(occurrence, k); }) +
            ";");
    }
    lines.push_back("END");
    auto gathering = std::make_unique<Gathering>();
    gathering->perTrip = perTrip;
    try {
        gathering->block = std::make_unique<Statement>(m_transaction, lines);
    } catch (const FbError&) {
        // A statement the block cannot carry still runs, one set at a time.
        return false;
    }
    m_gathering = std::move(gathering);
    return true;
}

void Statement::sendBlock() {
    Gathering& g = *m_gathering;
    std::vector<SqlValue> sets;
    sets.reserve(g.perTrip * m_parameterOrder.size());
    for (const auto& params : g.runs) {
        for (const int number : m_parameterOrder) {
            if (number < 0 || static_cast<size_t>(number) >= params.size()) {
                // The run on its own says which value is missing.
                runOneByOne(g.runs);
                return;
            }
            sets.push_back(params[static_cast<size_t>(number)]);
        }
    }
    try {
        g.block->execute(sets);
    } catch (const FbError& error) {
        // Without the server there is nothing to run again.
        if (error.kind() == FailureKind::ServerUnreachable) {
            throw;
        }
        // The block is undone as a whole; each set on its own writes what it would have written.
        runOneByOne(g.runs);
        return;
    }
    g.runs.clear();
}

void Statement::runOneByOne(std::vector<std::vector<SqlValue>>& runs) {
    const std::vector<std::vector<SqlValue>> pending = std::move(runs);
    runs.clear();
    for (const auto& params : pending) {
        run(params);
    }
}

void Statement::sendGathered() {
    if (m_gathering) {
        runOneByOne(m_gathering->runs);
    }
}

void Statement::open(const std::vector<SqlValue>& params) {
    const Timed timed(m_timed, m_runTime);
    ++m_runs;
    closeCursor();
    m_transaction.start();
    bind(params);
    m_row.clear();
    answered(m_transaction, [&] {
        Status status;
        m_cursor.reset(m_statement->openCursor(&status, m_transaction.handle(), m_input->meta.get(),
                                               m_input->buffer.empty() ? nullptr : m_input->buffer.data(),
                                               m_output->meta.get(), 0));
    });
}

bool Statement::fetch() {
    const Timed timed(m_timed, m_runTime);
    m_row.clear();
    if (!m_cursor) {
        return false;
    }
    const bool found = answered(m_transaction, [&] {
        Status status;
        return m_cursor->fetchNext(&status, m_output->buffer.data()) == Firebird::IStatus::RESULT_OK;
    });
    if (!found) {
        closeCursor();
        return false;
    }
    readRow();
    ++m_rows;
    return true;
}

void Statement::closeCursor() noexcept {
    m_cursor.reset();
}

bool Statement::cursorOpen() const {
    return m_cursor != nullptr;
}

void Statement::readRow() {
    m_row.clear();
    const Output& out = *m_output;
    guarded([&] {
        for (const auto& column : out.columns) {
            if (load<short>(out.buffer, column.nullOffset) != 0) {
                m_row.emplace_back(std::monostate{});
                continue;
            }
            const unsigned at = column.offset;
            switch (column.type) {
            case SQL_INT64: {
                const auto digits = load<std::int64_t>(out.buffer, at);
                if (column.scale == 0) {
                    m_row.emplace_back(digits);
                } else {
                    m_row.emplace_back(Scaled{digits, -column.scale});
                }
                break;
            }
            case SQL_DOUBLE:
                m_row.emplace_back(load<double>(out.buffer, at));
                break;
            case SQL_VARYING: {
                const auto length = load<unsigned short>(out.buffer, at);
                m_row.emplace_back(std::string(
                    reinterpret_cast<const char*>(out.buffer.data() + at + sizeof(unsigned short)), length));
                break;
            }
            case SQL_TEXT:
                m_row.emplace_back(platform::trimmedRight(
                    std::string(reinterpret_cast<const char*>(out.buffer.data() + at), column.length)));
                break;
            case SQL_BLOB:
                m_row.emplace_back(readBlob(m_transaction, load<ISC_QUAD>(out.buffer, at)));
                break;
            case SQL_TYPE_DATE: {
                unsigned y = 0, m = 0, d = 0;
                util()->decodeDate(load<ISC_DATE>(out.buffer, at), &y, &m, &d);
                m_row.emplace_back(Date{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)});
                break;
            }
            case SQL_TYPE_TIME: {
                unsigned h = 0, mi = 0, s = 0, f = 0;
                util()->decodeTime(load<ISC_TIME>(out.buffer, at), &h, &mi, &s, &f);
                m_row.emplace_back(
                    Time{static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s), static_cast<int>(f)});
                break;
            }
            case SQL_TIMESTAMP: {
                const auto ts = load<ISC_TIMESTAMP>(out.buffer, at);
                unsigned y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, f = 0;
                util()->decodeDate(ts.timestamp_date, &y, &m, &d);
                util()->decodeTime(ts.timestamp_time, &h, &mi, &s, &f);
                m_row.emplace_back(Timestamp{{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d),
                                              static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s)},
                                             static_cast<int>(f)});
                break;
            }
            case SQL_BOOLEAN:
                m_row.emplace_back(std::int64_t{out.buffer[at] != 0});
                break;
            default:
                m_row.emplace_back(std::monostate{});
                break;
            }
        }
    });
}

} // namespace engine::fb
