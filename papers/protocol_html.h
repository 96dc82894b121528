// The calculation protocol's text, without Qt: an A4 document in Russian of
// what one calculation did, from its trace, for an inspector to check by
// hand: identified (object, section, executor, checker, date of the
// calculation), every constant with its source, every pass, the arithmetic
// of the results, and a word where an iteration stopped at its limit. The
// program prints it through Qt's text document, the browser edition as a
// page; both from this HTML.
#pragma once

#include <string>
#include <string_view>

namespace kaldora {

struct CalcTrace;

// Who and what the protocol is for, as typed; any of it may stay empty. The
// organisation, project and document are printed only when given.
struct ProtocolFields {
    std::string object, section, executor, checker;
    std::string organisation{}, project{}, document{};
};

// The identity's captions as the protocol prints them, in ProtocolFields'
// order.
inline constexpr std::string_view kProtocolFieldCaptions[] = {
    "Объект", "Участок", "Выполнил", "Проверил", "Организация", "Шифр проекта", "Номер документа"};

// The protocol's body; `calculated` is the date of the calculation as it is
// printed ("09.12.2026").
std::string ProtocolHtml(const CalcTrace& trace, std::string_view calculated, const ProtocolFields& identity);

// The line above every page: the program, the type and the object.
std::string ProtocolRunningHeader(int type, std::string_view object);

// The protocol's title as its PDF or page names it.
std::string ProtocolTitle(std::string_view object);

// Blanks at the ends dropped and every run of blanks inside made one space.
std::string Simplified(std::string_view text);

}  // namespace kaldora
