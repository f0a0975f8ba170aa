#pragma once

#include <QString>

namespace mako {

/// The standard reason phrase of an HTTP status code (IANA registry); "" for an unregistered one.
QString reasonPhrase(int statusCode);

} // namespace mako
