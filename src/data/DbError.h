#pragma once

#include <QString>
#include <exception>

// An error raised by the data layer; Message() is what the window shows. A failed statement
// carries the driver's message and the statement, joined by a line break.
class EDatabaseError : public std::exception
{
public:
    explicit EDatabaseError(QString message) : m_driverMessage(message), m_message(std::move(message)) { cache(); }
    EDatabaseError(QString driverMessage, QString sql)
        : m_driverMessage(std::move(driverMessage)), m_sql(std::move(sql)),
          m_message(m_driverMessage + QStringLiteral("\r\n") + m_sql)
    {
        cache();
    }

    const QString& Message() const { return m_message; }
    const QString& DriverMessage() const { return m_driverMessage; }
    const QString& Sql() const { return m_sql; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    void cache() { m_utf8 = m_message.toUtf8(); }

    QString m_driverMessage;
    QString m_sql;
    QString m_message;
    QByteArray m_utf8;
};

// Raised after the operator has already been told what went wrong (the select error box, a refused
// right): the command that caused it ends quietly.
class EAbort : public std::exception
{
public:
    const char* what() const noexcept override { return "operation aborted"; }
};

// A typed value that cannot be read as what it should be (a number, a whole number, a date);
// Message() quotes the text, as the window shows it.
class EConvertError : public std::exception
{
public:
    explicit EConvertError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
