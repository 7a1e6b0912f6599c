// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReportJson.h"

#include "output/SceneryReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

std::string SceneryReportJson(const SceneryReport& report)
{
    QJsonArray patterns;
    for (const PatternReport& p : report.patterns) {
        patterns.append(QJsonObject{
            {"pattern", p.nPattern},
            // The document keeps one byte per character, as Latin-1.
            {"vehicle", QString::fromLatin1(p.strVehicle)},
            {"samples", p.nSamples},
            {"holds", p.nHolds},
            {"moves", p.nMoves},
            {"bytes", static_cast<qint64>(p.nBytes)},
            {"maxHorizontalMetres", p.deviation.dMaxHorizontal},
            {"meanHorizontalMetres", p.deviation.dMeanHorizontal},
            {"maxVerticalFeet", p.deviation.dMaxVertical},
            {"lapSeconds", p.deviation.nLapSeconds},
            {"recordedSeconds", p.deviation.nRecordedSeconds},
        });
    }
    const QJsonObject root{
        {"patterns", patterns},
        {"fileBytes", static_cast<qint64>(report.nFileBytes)},
        {"blockBytes", static_cast<qint64>(report.nBlockBytes)},
        {"blockLimit", static_cast<qint64>(report.nBlockLimit)},
        {"fits", report.Fits()},
    };
    return QJsonDocument(root).toJson().toStdString();
}
