// A flag set for a scope's lifetime, such as the dialog's Assigning while
// handlers must not react, with its old value put back however the scope ends.
#pragma once

namespace trx {

class TFlagSet {
public:
    explicit TFlagSet(bool& Flag) : flag_(Flag), was_(Flag) { Flag = true; }
    ~TFlagSet() { flag_ = was_; }
    TFlagSet(const TFlagSet&) = delete;
    TFlagSet& operator=(const TFlagSet&) = delete;

private:
    bool& flag_;
    bool was_;
};

} // namespace trx
