#include "platform/ErrorReport.h"

#include <cstdio>
#include <new>
#include <utility>

namespace {
ErrorReporter& CurrentReporter()
{
    static ErrorReporter reporter;
    return reporter;
}
}

void ReportError(const std::string& message)
{
    if (auto& reporter = CurrentReporter())
        reporter(message);
    else
        std::fprintf(stderr, "picsift: %s\n", message.c_str());
}

ErrorReporter SetErrorReporter(ErrorReporter reporter)
{
    return std::exchange(CurrentReporter(), std::move(reporter));
}

bool RunReportingErrors(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::bad_alloc&) {
        ReportError("Out of memory");
    } catch (const std::exception& e) {
        ReportError(e.what());
    }
    return false;
}
