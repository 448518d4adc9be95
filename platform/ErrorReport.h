#pragma once
#include <functional>
#include <string>

// Where failures are shown to the user. The application installs a message box; without one the
// message goes to stderr. Tests install their own to see what a user would have been shown.
using ErrorReporter = std::function<void(const std::string& message)>;

void ReportError(const std::string& message);

// Installs a reporter and returns the one it replaces.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Runs action; an exception that leaves it is reported, as the application's default handler would.
// Returns false when one was.
bool RunReportingErrors(const std::function<void()>& action);
