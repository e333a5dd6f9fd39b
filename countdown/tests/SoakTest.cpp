// A long random run of the countdown engine on the fake window and tick
// source: millions of ticks with starts and stops, field edits (typing,
// deleting, pastes of any text) and presets between them, checking after
// every step what the user would see against expectations worked out here
// from counts alone. The random sequence comes from a fixed seed, printed at
// the start, so a failure repeats; KESTROVA_SOAK_SEED=<n> tries another.
//
// Also: a stride sample of the 32-bit range read back through FieldValue.
#include "FakeWindow.h"

#include "Errors.h"
#include "FieldValue.h"
#include "PresetEntry.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::testing {
namespace {

constexpr std::uint32_t kDefaultSeed = 0x4B657374; // "Kest"
constexpr long long kRunningTicks = 5'000'000;     // ticks delivered to a running countdown
constexpr int kStartsPerSession = 120;             // then the window closes and a new one opens
constexpr std::size_t kHistory = 40;               // actions shown with a failure

// The value of a field text as a signed 32-bit decimal integer, read here
// without FieldValue: an optional sign, one or more ASCII digits, and a
// value inside the 32-bit range; anything else has none.
std::optional<std::int64_t> valueOf(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > (std::int64_t{1} << 31))
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return value;
}

// The colour of a second's phase: lime above ten, yellow from ten down to
// six, red from five down.
Color phaseColor(std::int64_t shown)
{
    return shown <= 5 ? clRed : shown <= 10 ? clYellow : clLime;
}

std::string printable(std::string_view bytes, std::size_t limit = 40)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x20 && b < 0x7F) {
            out += static_cast<char>(b);
        } else {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    if (bytes.size() > limit)
        out += "...(" + std::to_string(bytes.size()) + " bytes)";
    return "\"" + out + "\"";
}

// What an action let escape to the window's error display.
enum class Raised { Nothing, ConvertError, InvalidOperation, SomethingElse };

const char* nameOf(Raised r)
{
    switch (r) {
    case Raised::Nothing: return "nothing";
    case Raised::ConvertError: return "EConvertError";
    case Raised::InvalidOperation: return "EInvalidOperation";
    case Raised::SomethingElse: return "another exception";
    }
    return "?";
}

std::string notAnInteger(std::string_view text)
{
    return "'" + std::string(text) + "' は整数ではありません";
}

const std::string kBarRange = "1 から 2147483647 の間の値でなければなりません";

// Every timed value of the fixed lengths and of the raid catalogue.
std::vector<std::int32_t> presetValues()
{
    std::vector<std::int32_t> values;
    std::function<void(const std::vector<PresetEntry>&)> walk =
        [&](const std::vector<PresetEntry>& entries) {
            for (const PresetEntry& e : entries) {
                if (e.isTimed())
                    values.push_back(*e.Seconds);
                walk(e.Children);
            }
        };
    walk(PresetLengths().Children);
    walk(RaidCatalogue());
    return values;
}

class Soak {
public:
    explicit Soak(std::uint32_t seed) : rng_(seed), presets_(presetValues()) { openWindow(); }

    // Runs until `runningTicks` ticks have reached a running countdown, or
    // until the first broken expectation. Returns its description, or "".
    std::string run(long long runningTicks)
    {
        while (failure_.empty() && runningTicks_ < runningTicks) {
            if (startsThisSession_ >= kStartsPerSession)
                closeAndReopen();
            else if (running_)
                runningStep();
            else
                idleStep();
        }
        return failure_;
    }

    struct Counts {
        long long runningTicks = 0, idleTicks = 0, cycles = 0, starts = 0, stops = 0,
                  zeroStarts = 0, edits = 0, presets = 0, sessions = 0;
        long long convertErrors = 0, invalidOperations = 0;
        long long yellowTicks = 0, redTicks = 0, limeTicks = 0;
        std::int64_t longestCompletedCycle = 0; // seconds
    };
    Counts counts() const
    {
        Counts c = counts_;
        c.runningTicks = runningTicks_;
        return c;
    }

private:
    // ----- random choices -----
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    // A length a user would type: mostly short ones that reach every phase.
    std::int64_t typicalSeconds()
    {
        switch (uniform(0, 9)) {
        case 0: return uniform(0, 3);
        case 1: case 2: case 3: return uniform(1, 12);
        case 4: case 5: return uniform(5, 40);
        case 6: case 7: return uniform(10, 120);
        case 8: return uniform(100, 2000);
        default: return uniform(1, 20);
        }
    }

    std::string randomPaste()
    {
        static const std::vector<std::string> fixed{
            "abc", " 12", "12 ", "+", "-", "+-1", "1-", "0x1F", "1.5", "1e3", "2147483648",
            "-2147483649", "4294967326", "99999999999", std::string(300, '9'),
            std::string(64, '0') + "17", "\xEF\xBC\x91" /* fullwidth 1 */,
            std::string("1\0" "2", 3), "\xFF", "-5", "-1", "-0", "0", "000", "+7", "007",
            "2147483647", "-2147483648", "30"};
        static const std::vector<std::string> pieces{
            "0", "1", "2", "3", "5", "6", "9", "0", "1", "4", "7", "8", "+", "-", " ",
            std::string(1, '\0'), "\xFF", "\xEF\xBC\x91", "a", "\n"};
        if (chance(0.5))
            return fixed[static_cast<std::size_t>(uniform(0, static_cast<int>(fixed.size()) - 1))];
        if (chance(0.4)) {
            std::string s = chance(0.2) ? "-" : chance(0.2) ? "+" : "";
            s += std::string(static_cast<std::size_t>(uniform(0, 3)), '0');
            return s + std::to_string(typicalSeconds());
        }
        std::string s;
        for (int n = uniform(0, 10); n > 0; --n)
            s += pieces[static_cast<std::size_t>(uniform(0, static_cast<int>(pieces.size()) - 1))];
        return s;
    }

    // ----- the window -----
    void openWindow()
    {
        rig_ = std::make_unique<Rig>();
        ++counts_.sessions;
        startsThisSession_ = 0;
        running_ = false;
        field_ = "30";
        label_ = "30"; // the window shows the field's text
        color_ = rig_->window.labelColor;
        // The bar is as the window made it; the engine has not touched it yet.
        barMax_ = rig_->window.bar.maxValue();
        barProgress_ = rig_->window.bar.progress();
        tickId_ = 0;
        note("open a window");
        if (color_ != clLime)
            fail("a new window's label is not lime");
        checkView();
    }

    void closeAndReopen()
    {
        note(std::string("close the window while ") + (running_ ? "running" : "idle"));
        rig_->window.log.clear();
        rig_->ticks.calls.clear();
        rig_->engine.FormClose();
        expectCalls({"cancel " + std::to_string(tickId_), "end 1"});
        if (rig_->ticks.activeCount() != 0)
            fail("a tick is still active after the window closed");
        if (!rig_->window.log.empty())
            fail("closing the window changed it: " + rig_->window.log.front());
        rig_->ticks.fire();
        if (!rig_->window.log.empty())
            fail("a tick reached the countdown after the window closed");
        if (failure_.empty())
            openWindow();
    }

    // Runs one user action through the window's error boundary.
    Raised guarded(const std::function<void()>& action)
    {
        rig_->window.log.clear();
        rig_->ticks.calls.clear();
        raisedMessage_.clear();
        try {
            action();
            return Raised::Nothing;
        } catch (const EConvertError& e) {
            raisedMessage_ = e.message();
            return Raised::ConvertError;
        } catch (const EInvalidOperation& e) {
            raisedMessage_ = e.message();
            return Raised::InvalidOperation;
        } catch (const std::exception& e) {
            raisedMessage_ = e.what();
            return Raised::SomethingElse;
        } catch (...) {
            return Raised::SomethingElse;
        }
    }

    void expectRaised(Raised got, Raised want, const std::string& wantMessage = {})
    {
        if (got != want)
            fail(std::string("raised ") + nameOf(got) + " " + printable(raisedMessage_, 80)
                 + ", expected " + nameOf(want));
        else if (want != Raised::Nothing && raisedMessage_ != wantMessage)
            fail("message " + printable(raisedMessage_, 80) + ", expected "
                 + printable(wantMessage, 80));
        if (got == Raised::ConvertError)
            ++counts_.convertErrors;
        if (got == Raised::InvalidOperation)
            ++counts_.invalidOperations;
    }

    void expectCalls(const std::vector<std::string>& want)
    {
        if (rig_->ticks.calls != want) {
            std::string got;
            for (const auto& c : rig_->ticks.calls)
                got += "[" + c + "]";
            std::string expected;
            for (const auto& c : want)
                expected += "[" + c + "]";
            fail("tick source calls " + got + ", expected " + expected);
        }
    }

    // ----- idle: edits, presets, starts -----
    void idleStep()
    {
        const int pick = uniform(0, 99);
        if (pick < 16) {
            const char digit = static_cast<char>('0' + uniform(0, 9));
            type(field_ + digit, "type a digit");
        } else if (pick < 26) {
            std::string text = field_;
            // One character back: a UTF-8 sequence goes as a whole.
            while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
                text.pop_back();
            if (!text.empty())
                text.pop_back();
            type(text, "delete a character");
        } else if (pick < 40) {
            // Select all and type a number, one keystroke at a time.
            const std::string digits = std::to_string(typicalSeconds());
            for (std::size_t i = 1; i <= digits.size() && failure_.empty(); ++i)
                type(digits.substr(0, i), "retype, keystroke " + std::to_string(i));
        } else if (pick < 45) {
            type("", "delete everything");
        } else if (pick < 60) {
            const std::string text = randomPaste();
            if (chance(0.75))
                type(text, "paste over all " + printable(text));
            else
                type(field_ + text, "paste at the end " + printable(text));
        } else if (pick < 80) {
            preset(presets_[static_cast<std::size_t>(
                uniform(0, static_cast<int>(presets_.size()) - 1))]);
        } else if (pick < 83) {
            const int n = uniform(1, 6);
            note("idle ticks x" + std::to_string(n));
            for (int i = 0; i < n && failure_.empty(); ++i) {
                rig_->window.log.clear();
                rig_->ticks.calls.clear();
                rig_->ticks.fire();
                ++counts_.idleTicks;
                if (!rig_->window.log.empty())
                    fail("a tick while idle changed the window: " + rig_->window.log.front());
                checkView();
            }
        } else {
            start();
        }
    }

    // What any change of the field's text must do: a different text runs the
    // change rule; an emptied field gets "30" back; a readable text fills
    // the bar to its value and shows the text; an unreadable one, or one the
    // bar refuses, leaves bar and label as they were.
    void type(const std::string& text, const std::string& what)
    {
        note(what + " -> " + printable(text));
        ++counts_.edits;
        const int notificationsBefore = rig_->window.changeNotifications;
        const Raised raised = guarded([&] { rig_->edit(text); });
        int notifications = 1;
        Raised want = Raised::Nothing;
        std::string wantMessage;
        if (text == field_) {
            notifications = 0;
        } else if (text.empty()) {
            notifications = 2; // the emptied text, then "30"
            field_ = "30";
            showIdle("30", 30);
        } else {
            field_ = text;
            const auto value = valueOf(text);
            if (!value) {
                want = Raised::ConvertError;
                wantMessage = notAnInteger(text);
            } else if (*value < 0) {
                want = Raised::InvalidOperation;
                wantMessage = kBarRange;
            } else {
                showIdle(text, static_cast<std::int32_t>(*value));
            }
        }
        expectRaised(raised, want, wantMessage);
        if (rig_->window.changeNotifications - notificationsBefore != notifications)
            fail("field change notifications "
                 + std::to_string(rig_->window.changeNotifications - notificationsBefore)
                 + ", expected " + std::to_string(notifications));
        expectCalls({});
        checkView();
    }

    void preset(std::int32_t seconds)
    {
        ++counts_.presets;
        const std::string text = std::to_string(seconds);
        note("preset " + text);
        const int notificationsBefore = rig_->window.changeNotifications;
        const Raised raised = guarded([&] { ApplyPreset(rig_->window, seconds); });
        // The same text as the field's changes nothing.
        const int notifications = text == field_ ? 0 : 1;
        if (notifications == 1) {
            field_ = text;
            showIdle(text, seconds);
        }
        expectRaised(raised, Raised::Nothing);
        if (rig_->window.changeNotifications - notificationsBefore != notifications)
            fail("a preset raised "
                 + std::to_string(rig_->window.changeNotifications - notificationsBefore)
                 + " change notifications, expected " + std::to_string(notifications));
        checkView();
    }

    void showIdle(const std::string& label, std::int32_t bar)
    {
        label_ = label;
        barMax_ = bar;
        barProgress_ = bar;
    }

    void start()
    {
        note("start with " + printable(field_));
        const Raised raised = guarded([&] { rig_->engine.BitBtn1Click(); });
        const auto value = valueOf(field_);
        if (!value) {
            expectRaised(raised, Raised::ConvertError, notAnInteger(field_));
            expectCalls({});
        } else if (*value < 0) {
            expectRaised(raised, Raised::InvalidOperation, kBarRange);
            expectCalls({});
        } else if (*value == 0) {
            // Nothing to count: the toggle takes its stop branch.
            ++counts_.zeroStarts;
            expectRaised(raised, Raised::Nothing);
            expectCalls({"cancel " + std::to_string(tickId_), "end 1"});
            showIdle(field_, 0);
            color_ = clLime;
        } else {
            expectRaised(raised, Raised::Nothing);
            ++counts_.starts;
            ++startsThisSession_;
            const auto& calls = rig_->ticks.calls;
            const std::string prefix = "start 200 -> ";
            if (calls.size() != 2 || calls[0] != "begin 1" || calls[1].rfind(prefix, 0) != 0) {
                expectCalls({"begin 1", prefix + "<id>"});
            } else {
                tickId_ = static_cast<TimerId>(std::stoul(calls[1].substr(prefix.size())));
                if (rig_->engine.state().TimerId != tickId_)
                    fail("the engine keeps tick " + std::to_string(rig_->engine.state().TimerId)
                         + ", the source issued " + calls[1]);
            }
            running_ = true;
            seconds_ = *value;
            ticksInCycle_ = 0;
            ticked_ = false;
            barMax_ = static_cast<std::int32_t>(*value);
            barProgress_ = barMax_;
            // Label and colour stay as they were until the first tick.
        }
        checkView();
    }

    // ----- running: ticks and the stop -----
    void runningStep()
    {
        if (chance(0.10)) {
            stop();
            return;
        }
        const long long toReload = 5 * seconds_ - ticksInCycle_;
        long long n;
        switch (uniform(0, 9)) {
        case 0: case 1: case 2: case 3: n = uniform(1, 5); break;
        case 4: case 5: case 6: n = uniform(1, 5 * 13); break;
        case 7: case 8: n = std::min<long long>(toReload, 1500) + uniform(-1, 1); break;
        default: n = uniform(1, 1500); break;
        }
        if (n < 1)
            n = 1;
        note("ticks x" + std::to_string(n));
        for (long long i = 0; i < n && failure_.empty(); ++i)
            tick(i + 1);
    }

    // One tick: a cycle of N seconds is 5 × N ticks. After k ticks of the
    // current cycle the label shows N - k / 5, and the last tick of the
    // cycle shows N again in lime (the reload); in between, the phase
    // colour of what is shown.
    void tick(long long nth)
    {
        rig_->window.log.clear();
        rig_->ticks.calls.clear();
        rig_->ticks.fire();
        ++runningTicks_;
        ++ticksInCycle_;
        ticked_ = true;

        bool reloaded = false; // the bar went through 0 and back to full
        for (const auto& entry : rig_->window.log) {
            reloaded = reloaded || entry == "barProgress=0";
            // Not even for a moment does the label show 0 or less.
            if (entry == "label=0" || entry.rfind("label=-", 0) == 0) {
                fail("the label was set to " + entry.substr(6) + " during a run", nth);
                return;
            }
        }
        const bool cycleEnds = ticksInCycle_ == 5 * seconds_;
        if (reloaded != cycleEnds) {
            fail(reloaded ? "reload after " + std::to_string(ticksInCycle_)
                                + " ticks of a cycle of " + std::to_string(seconds_) + " s"
                          : "no reload after " + std::to_string(ticksInCycle_)
                                + " ticks of a cycle of " + std::to_string(seconds_) + " s",
                 nth);
            return;
        }
        std::int64_t shown;
        if (cycleEnds) {
            shown = seconds_;
            color_ = clLime;
            ticksInCycle_ = 0;
            ++counts_.cycles;
            counts_.longestCompletedCycle = std::max(counts_.longestCompletedCycle, seconds_);
        } else {
            shown = seconds_ - ticksInCycle_ / 5;
            if (shown <= 10)
                color_ = phaseColor(shown);
        }
        ++(color_ == clLime ? counts_.limeTicks
                            : color_ == clRed ? counts_.redTicks : counts_.yellowTicks);
        label_ = std::to_string(shown);
        barProgress_ = static_cast<std::int32_t>(shown);
        if (rig_->engine.state().Remaining != shown)
            fail("Remaining " + std::to_string(rig_->engine.state().Remaining) + ", expected "
                     + std::to_string(shown),
                 nth);
        expectCalls({});
        checkView(nth);
    }

    void stop()
    {
        note("stop");
        const Raised raised = guarded([&] { rig_->engine.BitBtn1Click(); });
        expectRaised(raised, Raised::Nothing);
        expectCalls({"cancel " + std::to_string(tickId_), "end 1"});
        ++counts_.stops;
        running_ = false;
        color_ = clLime;
        showIdle(field_, static_cast<std::int32_t>(seconds_));
        checkView();
    }

    // ----- what is checked after every step -----
    void checkView(long long nth = 0)
    {
        if (!failure_.empty())
            return;
        const FakeWindow& w = rig_->window;
        const FakeTicks& t = rig_->ticks;
        auto expect = [&](bool ok, const std::string& what) {
            if (!ok && failure_.empty())
                fail(what, nth);
            return ok;
        };
        const std::string state = running_ ? " while running" : " while idle";
        expect(rig_->engine.state().Running == running_,
               std::string("Running is ") + (rig_->engine.state().Running ? "true" : "false"));
        expect(w.fieldEnabled == !running_,
               std::string("field ") + (w.fieldEnabled ? "enabled" : "disabled") + state);
        expect(w.presetsEnabled == !running_,
               std::string("presets ") + (w.presetsEnabled ? "unlocked" : "locked") + state);
        expect(t.activeCount() == (running_ ? 1 : 0),
               std::to_string(t.activeCount()) + " active ticks" + state);
        if (running_) {
            for (const auto& tk : t.ticks)
                if (tk.active)
                    expect(tk.id == tickId_ && tk.period == 200,
                           "active tick " + std::to_string(tk.id) + " of "
                               + std::to_string(tk.period) + " ms, expected "
                               + std::to_string(tickId_) + " of 200 ms");
        }
        expect(w.field == field_,
               "field " + printable(w.field) + ", expected " + printable(field_));
        expect(w.label == label_,
               "label " + printable(w.label) + ", expected " + printable(label_));
        expect(w.labelColor == color_ && w.barColor == color_,
               "label colour " + std::to_string(w.labelColor) + ", bar colour "
                   + std::to_string(w.barColor) + ", expected " + std::to_string(color_));
        if (!running_)
            expect(color_ == clLime, "idle colour is not lime");
        expect(w.bar.maxValue() == barMax_ && w.bar.progress() == barProgress_,
               "bar " + std::to_string(w.bar.progress()) + "/" + std::to_string(w.bar.maxValue())
                   + ", expected " + std::to_string(barProgress_) + "/" + std::to_string(barMax_));
        expect(w.bar.minValue() <= w.bar.progress() && w.bar.progress() <= w.bar.maxValue(),
               "bar progress outside its range");
        if (running_ && ticked_)
            expect(!w.label.empty() && w.label != "0" && w.label[0] != '-'
                       && w.label == std::to_string(rig_->engine.state().Remaining),
                   "running label " + printable(w.label) + " with Remaining "
                       + std::to_string(rig_->engine.state().Remaining));
    }

    void note(std::string action)
    {
        history_.push_back("#" + std::to_string(++steps_) + " " + std::move(action));
        if (history_.size() > kHistory)
            history_.pop_front();
    }

    void fail(const std::string& what, long long nth = 0)
    {
        if (!failure_.empty())
            return;
        failure_ = what;
        if (nth > 0)
            failure_ += " (at tick " + std::to_string(nth) + " of the last action)";
        failure_ += "\nafter " + std::to_string(runningTicks_) + " running ticks; last actions:";
        for (const auto& h : history_)
            failure_ += "\n  " + h;
    }

    std::mt19937 rng_;
    const std::vector<std::int32_t> presets_;
    std::unique_ptr<Rig> rig_;

    // What the window should show.
    bool running_ = false;
    std::string field_, label_;
    Color color_ = clLime;
    std::int32_t barMax_ = 0, barProgress_ = 0;
    // The current run.
    std::int64_t seconds_ = 0;      // N: the field's value when it started
    long long ticksInCycle_ = 0;    // ticks since the start or the last reload
    bool ticked_ = false;
    TimerId tickId_ = 0;            // the tick of the latest start
    int startsThisSession_ = 0;

    std::string raisedMessage_;
    long long runningTicks_ = 0, steps_ = 0;
    Counts counts_;
    std::deque<std::string> history_;
    std::string failure_;
};

std::uint32_t soakSeed()
{
    if (const char* s = std::getenv("KESTROVA_SOAK_SEED"))
        return static_cast<std::uint32_t>(std::strtoul(s, nullptr, 0));
    return kDefaultSeed;
}

TEST(CountdownSoak, MillionsOfTicksWithStartsStopsEditsAndPresetsKeepEveryInvariant)
{
    const std::uint32_t seed = soakSeed();
    std::cout << "soak seed " << seed << " (set KESTROVA_SOAK_SEED to change)" << std::endl;
    Soak soak(seed);
    const std::string failure = soak.run(kRunningTicks);
    ASSERT_TRUE(failure.empty()) << "seed " << seed << ": " << failure;

    const Soak::Counts c = soak.counts();
    std::cout << "running ticks " << c.runningTicks << ", idle ticks " << c.idleTicks << ", cycles "
              << c.cycles << " (longest " << c.longestCompletedCycle << " s), starts " << c.starts
              << ", stops " << c.stops << ", starts on 0 " << c.zeroStarts << ", edits " << c.edits
              << ", presets " << c.presets << ", windows " << c.sessions << ", EConvertError "
              << c.convertErrors << ", EInvalidOperation " << c.invalidOperations
              << ", lime/yellow/red ticks " << c.limeTicks << "/" << c.yellowTicks << "/"
              << c.redTicks << std::endl;
    // The run reached every situation it is meant to check.
    EXPECT_GE(c.runningTicks, kRunningTicks);
    EXPECT_GE(c.cycles, 1000);
    EXPECT_GE(c.longestCompletedCycle, 90);
    EXPECT_GE(c.stops, 1000);
    EXPECT_GE(c.zeroStarts, 10);
    EXPECT_GE(c.presets, 1000);
    EXPECT_GE(c.convertErrors, 100);
    EXPECT_GE(c.invalidOperations, 100);
    EXPECT_GE(c.idleTicks, 100);
    EXPECT_GE(c.sessions, 10);
    EXPECT_GE(c.yellowTicks, 10000);
    EXPECT_GE(c.redTicks, 10000);
}

// Decimal texts of a stride sample of the 32-bit range (every 65537th value
// and the edges), as they are, with leading zeros and with a '+', read back
// to themselves; the texts of the values 2^32 away, outside the range, are
// refused rather than wrapped.
TEST(FieldValueSample, StrideSampleOfThe32BitRangeReadsBack)
{
    std::vector<std::int64_t> values;
    for (std::int64_t v = INT32_MIN; v <= INT32_MAX; v += 65537)
        values.push_back(v);
    for (std::int64_t v : {std::int64_t{INT32_MIN}, std::int64_t{INT32_MIN} + 1, std::int64_t{-1},
                           std::int64_t{0}, std::int64_t{1}, std::int64_t{INT32_MAX} - 1,
                           std::int64_t{INT32_MAX}})
        values.push_back(v);

    auto withZeros = [](std::int64_t v, std::size_t zeros) {
        const std::string digits = std::to_string(v < 0 ? -v : v);
        return (v < 0 ? "-" : "") + std::string(zeros, '0') + digits;
    };
    long long refusedWrongly = 0, readWrongly = 0, outsideNotRefused = 0;
    for (const std::int64_t v : values) {
        std::vector<std::string> texts{std::to_string(v), withZeros(v, 1), withZeros(v, 12)};
        if (v >= 0)
            texts.push_back("+" + std::to_string(v));
        if (v == 0)
            texts.insert(texts.end(), {"-0", "-" + withZeros(0, 12)});
        for (const std::string& text : texts) {
            try {
                const std::int32_t got = FieldValue(text);
                if (got != v && readWrongly++ < 5)
                    ADD_FAILURE() << text << " read as " << got;
            } catch (const EConvertError&) {
                if (refusedWrongly++ < 5)
                    ADD_FAILURE() << text << " refused";
            }
        }
        const std::int64_t wrap = std::int64_t{1} << 32;
        const std::int64_t outside = v < 0 ? v - wrap : v + wrap;
        for (const std::string& text : {std::to_string(outside), withZeros(outside, 3)}) {
            try {
                const std::int32_t got = FieldValue(text);
                if (outsideNotRefused++ < 5)
                    ADD_FAILURE() << text << " accepted as " << got;
            } catch (const EConvertError& e) {
                if (e.message() != notAnInteger(text) && outsideNotRefused++ < 5)
                    ADD_FAILURE() << text << " refused with " << e.message();
            }
        }
    }
    EXPECT_EQ(readWrongly, 0);
    EXPECT_EQ(refusedWrongly, 0);
    EXPECT_EQ(outsideNotRefused, 0);
}

} // namespace
} // namespace kestrova::testing
