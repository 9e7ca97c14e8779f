#pragma once

#include "data/RecordSet.h"

#include <QString>

// The numbered switches and values of table `keyvalue`, mirrored in memory from their first use.
// Key ids 0 and 1 each hold a prompt switch in `Vbool` and an overdue fine per day in `Vfloat`;
// every write touches only the column it is about, so the two never overwrite each other.
class TKeyValue2 : public TRecordSet
{
    Q_OBJECT

public:
    // Switches (index = key id)
    static constexpr int FeedbackPromptKey = 0;
    static constexpr int DailyTipPromptKey = 1;
    // Fines per day (key ids)
    static constexpr int BookFineKey = 0;
    static constexpr int JourFineKey = 1;

    explicit TKeyValue2(QObject* owner = nullptr);

    // Makes the mirror's current row the row of `keyId`, opening the mirror first and creating the
    // row (every value null) when the table has none.
    void EnsureRow(int keyId);

    // The switch `index`; a null reads as false.
    bool GetSwitch(int index);
    // Stores the switch in its own column; true when the database wrote one row.
    bool SetSwitch(int index, bool value);
    // The number of `keyId`; a null reads as 0.
    double GetFloat(int keyId);
    // Stores the number in its own column; true when the database wrote one row.
    bool SetFloat(int keyId, double value);
    // Writes all four values of `keyId` at once, updating its row or inserting it. True when the last
    // statement wrote one row; the mirror then holds the same values.
    bool WriteRow(int keyId, const QString& text, bool flag, double number, int integer);

    // Show the feedback form when the main window closes.
    bool FeedbackPrompt() { return GetSwitch(FeedbackPromptKey); }
    bool SetFeedbackPrompt(bool value) { return SetSwitch(FeedbackPromptKey, value); }
    // Show the daily tips after login.
    bool DailyTipPrompt() { return GetSwitch(DailyTipPromptKey); }
    bool SetDailyTipPrompt(bool value) { return SetSwitch(DailyTipPromptKey, value); }

    // Sets the process-wide fines per day from the stored values; a rate never stored (no row, or a
    // null) keeps its default. Reads only: nothing is created. The start-up runs it once the database
    // is connected; a failing select is shown and raises EAbort, as every select does.
    void LoadFineRates();

private:
    void openMirror();
    // Writes one value column of `keyId` and mirrors it on success.
    bool writeColumn(int keyId, const QString& column, const QVariant& value);
};

// The one switch table of the process.
TKeyValue2& KeyValues();

// The overdue fines per day that returns and the loan queries charge, amounts of money per day.
namespace FineRates {
inline constexpr double DefaultBook = 0.5;
inline constexpr double DefaultJournal = 0.8;

double Book();
void SetBook(double perDay);
double Journal();
void SetJournal(double perDay);
} // namespace FineRates
