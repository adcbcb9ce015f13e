#pragma once

#include "engine/firebird/FbStatus.h"

#include <firebird/Interface.h>

#include <memory>

namespace engine::fb {

// Owners of the client's interfaces. Ending an interface the proper way
// (close, free, detach, rollback, cancel) releases it when the call succeeds;
// when the call fails the interface is released without it, so nothing leaks
// whichever way an owner goes.
template <typename Interface, typename End> struct EndOrRelease {
    void operator()(Interface* handle) const noexcept {
        try {
            Status status;
            End{}(handle, &status);
        } catch (const Firebird::FbException&) {
            handle->release();
        }
    }
};

template <typename Interface> struct Release {
    void operator()(Interface* handle) const noexcept { handle->release(); }
};

struct Dispose {
    void operator()(Firebird::IXpbBuilder* handle) const noexcept { handle->dispose(); }
};

struct Detach {
    template <typename Interface> void operator()(Interface* handle, Firebird::ThrowStatusWrapper* status) const {
        handle->detach(status);
    }
};
struct RollBack {
    void operator()(Firebird::ITransaction* handle, Firebird::ThrowStatusWrapper* status) const {
        handle->rollback(status);
    }
};
struct Free {
    void operator()(Firebird::IStatement* handle, Firebird::ThrowStatusWrapper* status) const { handle->free(status); }
};
struct Close {
    void operator()(Firebird::IResultSet* handle, Firebird::ThrowStatusWrapper* status) const { handle->close(status); }
};
struct Cancel {
    void operator()(Firebird::IBlob* handle, Firebird::ThrowStatusWrapper* status) const { handle->cancel(status); }
};

using AttachmentHandle = std::unique_ptr<Firebird::IAttachment, EndOrRelease<Firebird::IAttachment, Detach>>;
using TransactionHandle = std::unique_ptr<Firebird::ITransaction, EndOrRelease<Firebird::ITransaction, RollBack>>;
using StatementHandle = std::unique_ptr<Firebird::IStatement, EndOrRelease<Firebird::IStatement, Free>>;
using CursorHandle = std::unique_ptr<Firebird::IResultSet, EndOrRelease<Firebird::IResultSet, Close>>;
// A blob still open when its owner goes is cancelled: a half-written blob is never kept.
using BlobHandle = std::unique_ptr<Firebird::IBlob, EndOrRelease<Firebird::IBlob, Cancel>>;
using ServiceHandle = std::unique_ptr<Firebird::IService, EndOrRelease<Firebird::IService, Detach>>;
using MetadataHandle = std::unique_ptr<Firebird::IMessageMetadata, Release<Firebird::IMessageMetadata>>;
using MetadataBuilderHandle = std::unique_ptr<Firebird::IMetadataBuilder, Release<Firebird::IMetadataBuilder>>;
using ParameterBuilderHandle = std::unique_ptr<Firebird::IXpbBuilder, Dispose>;

// Ends an owned interface with a call that releases it on success (commit,
// close, ...); a failure is thrown and the owner still holds the interface.
template <typename Handle, typename End> void endWith(Handle& handle, End end) {
    if (!handle) {
        return;
    }
    guarded([&] {
        Status status;
        end(handle.get(), &status);
    });
    (void)handle.release();
}

} // namespace engine::fb
