#include "run/PayloadInflater.h"

#include <zlib.h>

#include <limits>
#include <stdexcept>

namespace run {
namespace {

constexpr std::size_t kChunkSize = 1024;

class Inflater {
public:
    Inflater() {
        if (inflateInit(&m_stream) != Z_OK) {
            throw std::runtime_error("zlib cannot start inflating");
        }
    }
    ~Inflater() { inflateEnd(&m_stream); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    z_stream* operator->() { return &m_stream; }
    z_stream* get() { return &m_stream; }

private:
    z_stream m_stream{};
};

} // namespace

void inflatePayload(std::span<const unsigned char> compressed, std::ostream& out, std::size_t limit) {
    if (compressed.size() > std::numeric_limits<uInt>::max()) {
        throw std::runtime_error("the compressed data is too large");
    }
    Inflater zs;
    zs->next_in = const_cast<Bytef*>(compressed.data());
    zs->avail_in = static_cast<uInt>(compressed.size());
    unsigned char chunk[kChunkSize];
    std::size_t total = 0;
    for (;;) {
        zs->next_out = chunk;
        zs->avail_out = static_cast<uInt>(sizeof chunk);
        const int rc = inflate(zs.get(), Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) {
            // Z_BUF_ERROR here means the input ran out before the stream's end.
            throw std::runtime_error("the compressed data is damaged or incomplete");
        }
        const std::size_t produced = sizeof chunk - zs->avail_out;
        total += produced;
        if (total > limit) {
            throw std::runtime_error("the compressed data inflates beyond the size limit");
        }
        out.write(reinterpret_cast<const char*>(chunk), static_cast<std::streamsize>(produced));
        if (!out) {
            throw std::runtime_error("the inflated data cannot be written");
        }
        if (rc == Z_STREAM_END) {
            return;
        }
    }
}

} // namespace run
