// SPDX-License-Identifier: MIT
// Any texts in the fourteen fields end in either the three results or one of
// the four named errors; never a crash, a hang or an unreadable result.
#include "app/CrushCalculation.h"
#include "platform/NumberText.h"
#include "platform/SysErrors.h"

#include <QMap>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const QStringList Fields = {"xMasa", "xBatalla", "xA",  "xB",  "xAnguloFPI",
                            "xMs",   "xKms",     "xL",  "xC1", "xC2",
                            "xC3",   "xC4",      "xC5", "xC6"};

class Fields14 : public CalculationFields
{
public:
    QMap<QString, QString> texts;
    int gaugeCalls = 0;
    double gauge = 0;

    QString fieldText(const QString &field) const override { return texts.value(field); }
    void setFieldText(const QString &field, const QString &text) override { texts[field] = text; }
    void setGaugeValue(double value) override
    {
        ++gaugeCalls;
        gauge = value;
    }
};

void require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool isNamedError(const Exception &error)
{
    for (const char *kind : {"EConvertError", "EOverflow", "EZeroDivide", "EInvalidOp"}) {
        if (std::strcmp(error.kind(), kind) == 0)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One field per line; missing lines keep the worked example's values.
    Fields14 fields;
    const QStringList example = {"1500", "2.6", "35000", "300000", "0", "0",  "0",
                                 "1.5",  "0.2", "0.3",   "0.4",    "0.4", "0.3", "0.2"};
    const QStringList lines = QString::fromUtf8(reinterpret_cast<const char *>(data),
                                                qsizetype(size)).split(u'\n');
    for (qsizetype i = 0; i < Fields.size(); ++i)
        fields.texts[Fields[i]] = i < lines.size() ? lines[i] : example[i];

    try {
        CrushCalculation::run(fields);
    } catch (const Exception &error) {
        require(isNamedError(error), "unexpected error kind");
        require(fields.gaugeCalls == 0, "gauge set despite an error");
        return 0;
    }
    require(fields.gaugeCalls == 1, "gauge set once");
    require(std::isfinite(fields.gauge) && fields.gauge >= 0, "gauge value");
    for (const char *result : {"xEDeformacion", "xMs", "xKms"}) {
        const long double value = ParseNumberText(fields.texts.value(QString::fromLatin1(result)));
        require(std::isfinite(value), "result reads back");
    }
    return 0;
}
