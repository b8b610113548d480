#pragma once
#include <QString>
#include <stdexcept>

namespace db {

/// A failed database operation. Thrown inside the data layer; the layer that owns the message
/// (the data services, a window) catches it and shows its own text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace db
