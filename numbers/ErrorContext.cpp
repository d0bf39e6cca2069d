#include "numbers/ErrorContext.h"

#include <utility>

namespace {
// Everything runs on the user-interface thread; a thread_local keeps tests on other threads apart.
thread_local ErrorContext* t_innermost = nullptr;
} // namespace

ErrorContext::ErrorContext(QString description, QString box)
    : m_description(std::move(description))
    , m_box(std::move(box))
    , m_outer(t_innermost) {
    t_innermost = this;
}

ErrorContext::~ErrorContext() {
    t_innermost = m_outer;
}

QString ErrorContext::current() {
    for (const ErrorContext* context = t_innermost; context != nullptr; context = context->m_outer) {
        if (!context->m_description.isEmpty())
            return context->m_description;
    }
    return {};
}

QString ErrorContext::currentBox() {
    for (const ErrorContext* context = t_innermost; context != nullptr; context = context->m_outer) {
        if (!context->m_box.isEmpty())
            return context->m_box;
    }
    return {};
}
