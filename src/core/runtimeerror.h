#pragma once
// Run-time errors of the simulator: a number and a description, as the learner sees them in the
// message boxes ("description" + "  P0nn").

#include "core/translate.h"

#include <stdexcept>
#include <string>

namespace kestrel {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, std::string description)
        : std::runtime_error(description), mNumber(number), mDescription(std::move(description)) {}

    int number() const noexcept { return mNumber; }
    const std::string& description() const noexcept { return mDescription; }
    /// The description in the learner's language. The fixed descriptions stay Japanese while they
    /// are thrown (the simulation step throws them) and are looked up only when a message shows
    /// them; a description made with its own words is already in the learner's language.
    std::string shownDescription() const { return translate("Errors", mDescription.c_str()); }

    /// 13 "型が一致しません。": a text that is not a number where a number is required.
    static RuntimeError typeMismatch() { return {13, KESTREL_TR_NOOP("Errors", "型が一致しません。")}; }
    /// 6 "オーバーフローしました。": a result outside the range of its type, or not finite.
    static RuntimeError overflow() { return {6, KESTREL_TR_NOOP("Errors", "オーバーフローしました。")}; }
    /// 11 "0 で除算しました。"
    static RuntimeError divisionByZero() { return {11, KESTREL_TR_NOOP("Errors", "0 で除算しました。")}; }
    /// 9 "インデックスが有効範囲にありません。"
    static RuntimeError subscriptOutOfRange() {
        return {9, KESTREL_TR_NOOP("Errors", "インデックスが有効範囲にありません。")};
    }

    /// 380 "プロパティの値が不正です。": a value outside what a control accepts (a tab index 7).
    static RuntimeError invalidPropertyValue() {
        return {380, KESTREL_TR_NOOP("Errors", "プロパティの値が不正です。")};
    }
    /// 75: a file that could not be written (missing folder, read-only file, full disk).
    static RuntimeError fileWriteFailed(const std::string& file) {
        return {75, trArgs(KESTREL_TR("Errors", "ファイルに書き込めませんでした（%1）。"), {file})};
    }

    /// 5: a text holding characters the lesson and project files cannot store.
    static RuntimeError unsavableText(const std::string& key) {
        return {5, trArgs(KESTREL_TR("Errors", "「%1」に保存できない文字が含まれています。"), {key})};
    }

private:
    int mNumber;
    std::string mDescription;
};

/// Returns x when it is finite; an infinity or NaN is the overflow error (6). Every computed value
/// that the engine stores passes through here, so nothing non-finite is ever recorded or drawn.
inline double checkFinite(double x) {
    if (!(x - x == 0.0)) // false for NaN and for ±inf
        throw RuntimeError::overflow();
    return x;
}

} // namespace kestrel
