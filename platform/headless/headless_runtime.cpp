#include "platform/headless/headless_runtime.h"

#include "platform/paths.h"
#include "platform/wav_header.h"

namespace vex {

HeadlessRuntime::HeadlessRuntime(std::filesystem::path data_folder) : m_data_folder(std::move(data_folder)) {}

void HeadlessRuntime::answer_input_box(std::string text) {
    m_answers.push_back({Dialog::Kind::InputBox, std::move(text)});
}

void HeadlessRuntime::answer_message_box() { m_answers.push_back({Dialog::Kind::MessageBox, {}}); }

void HeadlessRuntime::forget_history() {
    m_dialogs.clear();
    m_sounds.clear();
    m_moments.clear();
}

void HeadlessRuntime::inject_random(const std::vector<double>& draws) {
    m_injected.insert(m_injected.end(), draws.begin(), draws.end());
}

Form& HeadlessRuntime::form() const {
    if (m_form == nullptr) {
        throw std::logic_error("load a form before driving it");
    }
    return *m_form;
}

void HeadlessRuntime::load(Form& form) {
    m_form = &form;
    form.load();
}

void HeadlessRuntime::key_down(std::int16_t key_code, std::int16_t shift) { form().key_down(key_code, shift); }

void HeadlessRuntime::key_up(std::int16_t key_code, std::int16_t shift) { form().key_up(key_code, shift); }

void HeadlessRuntime::click(Label& label) {
    if (shown(label)) {
        form().click(label);
    }
}

void HeadlessRuntime::advance(std::uint64_t ticks) {
    Form& target = form();
    for (std::uint64_t i = 0; i < ticks && !target.unloaded(); ++i) {
        target.round(target.clock().now() + 1);
    }
}

std::uint64_t HeadlessRuntime::now() const { return form().clock().now(); }

std::vector<std::string> HeadlessRuntime::sound_names() const {
    std::vector<std::string> names;
    names.reserve(m_sounds.size());
    for (const Sound& sound : m_sounds) {
        names.push_back(native_path({}, sound.game_path).filename().string());
    }
    return names;
}

void HeadlessRuntime::record_moment(std::string what) {
    m_moments.push_back({std::move(what), m_form != nullptr ? window_state(*m_form) : WindowState{}});
}

std::vector<std::string> HeadlessRuntime::story(const std::function<void()>& action) {
    const std::size_t first = m_moments.size();
    WindowState last = window_state(form());
    action();
    std::vector<std::string> told;
    const auto tell = [&](const std::string& what, const WindowState& now) {
        std::string line = what;
        for (const std::string& change : changes(last, now)) {
            line += (line.size() == what.size() ? " | " : ", ") + change;
        }
        told.push_back(line);
        last = now;
    };
    for (std::size_t i = first; i < m_moments.size(); ++i) {
        tell(m_moments[i].what, m_moments[i].state);
    }
    tell("after", window_state(form()));
    return told;
}

void HeadlessRuntime::play_sound(const std::string& game_path) {
    record_moment(native_path({}, game_path).filename().string());
    const auto length_ms = wav_length_ms(native_path(m_data_folder, game_path));
    const std::uint64_t length = length_ms ? TickClock::ticks_for_ms(*length_ms) : 0;
    const std::uint64_t start = m_form != nullptr ? m_form->clock().now() : 0;
    m_sounds.push_back({game_path, start, length});
    // Nothing else happens while a sound plays: virtual time simply passes.
    if (m_form != nullptr) {
        m_form->clock().advance(length);
    }
}

std::string HeadlessRuntime::take_answer(Dialog::Kind kind, const std::string& text) {
    if (m_answers.empty() && m_answerer) {
        return m_answerer(m_dialogs.back());
    }
    if (m_answers.empty() || m_answers.front().kind != kind) {
        throw UnexpectedDialog("unscripted dialog: " + text);
    }
    std::string answer = std::move(m_answers.front().text);
    m_answers.pop_front();
    return answer;
}

std::string HeadlessRuntime::input_box(const std::string& prompt, const std::string& title,
                                       const std::string& /*default_text*/) {
    m_dialogs.push_back({Dialog::Kind::InputBox, prompt, title, MessageIcon::Information, m_form ? now() : 0});
    record_moment(title + ": " + prompt);
    return take_answer(Dialog::Kind::InputBox, prompt);
}

void HeadlessRuntime::message_box(const std::string& text, MessageIcon icon, const std::string& title) {
    m_dialogs.push_back({Dialog::Kind::MessageBox, text, title, icon, m_form ? now() : 0});
    record_moment(title + (icon == MessageIcon::Critical ? " (stop): " : ": ") + text);
    take_answer(Dialog::Kind::MessageBox, text);
}

double HeadlessRuntime::random() {
    if (!m_injected.empty()) {
        const double draw = m_injected.front();
        m_injected.pop_front();
        return draw;
    }
    return m_random.next();
}

}  // namespace vex
