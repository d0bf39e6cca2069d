#include "ErrorContext.h"

#include <utility>

namespace {
// Everything runs on the user-interface thread; a thread_local keeps tests on other threads apart.
thread_local ErrorContext* t_innermost = nullptr;
} // namespace

ErrorContext::ErrorContext(QString description)
    : m_description(std::move(description))
    , m_outer(t_innermost) {
    t_innermost = this;
}

ErrorContext::~ErrorContext() {
    t_innermost = m_outer;
}

QString ErrorContext::current() {
    return t_innermost ? t_innermost->m_description : QString();
}
