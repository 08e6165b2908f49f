// Connection.Errors: one entry per diagnostic record of the failed call, with the
// driver's message text as Description (code page 932).
#pragma once

#include "../common/VornString.h"

#include <vector>

class AdoError {
public:
    AdoError(const char* description, const char* sqlState, long nativeError)
        : description_(description), sqlState_(sqlState), nativeError_(nativeError) {}
    const VornString& Description() const { return description_; }
    const VornString& SQLState() const { return sqlState_; }
    long NativeError() const { return nativeError_; }

private:
    VornString description_;
    VornString sqlState_;
    long nativeError_;
};

class ErrorList {
public:
    long Count() const { return static_cast<long>(errors_.size()); }
    // Null outside 0..Count()-1.
    const AdoError* Item(long index) const
    {
        return index >= 0 && index < Count() ? &errors_[index] : nullptr;
    }
    void Clear() { errors_.clear(); }
    void Add(const char* description, const char* sqlState = "", long nativeError = 0)
    {
        errors_.emplace_back(description, sqlState, nativeError);
    }

private:
    std::vector<AdoError> errors_;
};
