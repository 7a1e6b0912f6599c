// SPDX-License-Identifier: GPL-3.0-or-later
// GPS tracks from GPX files, read with Qt's XML stream reader.

#include "xml/GpxReader.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QXmlStreamReader>

#include <cmath>
#include <optional>

namespace {

// Elements are matched by their local name, so GPX 1.0, GPX 1.1 and a file
// without a namespace read alike.
class GpxParser {
public:
    GpxParser(std::string_view bytes, const std::string& name)
        : m_reader(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))), m_strName(name)
    {
    }

    TrackFile Read();

private:
    void ReadTrack();
    void ReadSegment(Track& track);
    void ReadPoint(Track& track);
    std::optional<double> ReadTime();
    // Stops reading; the reason becomes the refusal.
    void Refuse(const std::string& reason) { m_reader.raiseError(QString::fromStdString(reason)); }
    std::string PointName() const
    {
        std::string name = "point ";
        return name + std::to_string(m_nPoints);
    }
    std::string Refusal() const;

    QXmlStreamReader m_reader;
    std::string m_strName;
    TrackFile m_file;
    int m_nTracks = 0;
    int m_nPoints = 0;  // trkpt elements so far, the current one included
    bool m_bMissingElevation = false;
};

// A decimal number in the C locale's notation; nothing for anything else.
std::optional<double> NumberIn(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

TrackFile GpxParser::Read()
{
    m_file.strSourceUnit = "point";
    if (m_reader.readNextStartElement() && m_reader.name() != u"gpx")
        Refuse("it is not a GPX file: its root element is <" + m_reader.name().toString().toStdString() +
               ">.");
    while (m_reader.readNextStartElement()) {
        if (m_reader.name() == u"trk")
            ReadTrack();
        else
            m_reader.skipCurrentElement();
    }
    // Whatever follows the root must still be well-formed.
    while (!m_reader.atEnd())
        m_reader.readNext();
    if (m_reader.hasError())
        m_file.strError = Refusal();
    else if (m_file.tracks.empty())
        m_file.strError = m_strName + ": the file holds no track (only routes or waypoints).";
    if (!m_file.strError.empty())
        m_file.tracks.clear();
    else if (m_bMissingElevation)
        m_file.notes.push_back(m_strName + ": points without an elevation are placed at 0 m.");
    return std::move(m_file);
}

std::string GpxParser::Refusal() const
{
    const std::string reason = m_reader.errorString().toStdString();
    if (m_reader.error() == QXmlStreamReader::CustomError)
        return m_strName + ": " + reason;
    std::string line = std::to_string(m_reader.lineNumber());
    return m_strName + ": the XML is malformed at line " + line + ": " + reason;
}

void GpxParser::ReadTrack()
{
    Track track;
    const int number = ++m_nTracks;
    while (m_reader.readNextStartElement()) {
        if (m_reader.name() == u"name")
            track.strName = m_reader.readElementText().trimmed().toStdString();
        else if (m_reader.name() == u"trkseg")
            ReadSegment(track);
        else
            m_reader.skipCurrentElement();
    }
    if (track.strName.empty()) {
        track.strName = "Track ";
        track.strName += std::to_string(number);
    }
    // A track without points has nothing to fly.
    if (!track.points.empty())
        m_file.tracks.push_back(std::move(track));
}

void GpxParser::ReadSegment(Track& track)
{
    while (m_reader.readNextStartElement()) {
        if (m_reader.name() == u"trkpt")
            ReadPoint(track);
        else
            m_reader.skipCurrentElement();
    }
}

void GpxParser::ReadPoint(Track& track)
{
    ++m_nPoints;
    TrackPoint point;
    point.nSource = m_nPoints;
    const QXmlStreamAttributes attributes = m_reader.attributes();
    const QStringView lat = attributes.value(QLatin1String("lat")),
                      lon = attributes.value(QLatin1String("lon"));
    const auto latitude = NumberIn(lat), longitude = NumberIn(lon);
    if (!latitude || std::fabs(*latitude) > 90) {
        Refuse(PointName() + ": the latitude \"" + lat.toString().toStdString() +
               "\" is not a number from -90 to 90.");
        return;
    }
    if (!longitude || std::fabs(*longitude) > 180) {
        Refuse(PointName() + ": the longitude \"" + lon.toString().toStdString() +
               "\" is not a number from -180 to 180.");
        return;
    }
    point.fLat = *latitude;
    point.fLon = *longitude;

    bool hasElevation = false, hasTime = false;
    while (m_reader.readNextStartElement()) {
        if (m_reader.name() == u"ele") {
            const QString text = m_reader.readElementText();
            const auto elevation = NumberIn(text);
            if (!elevation) {
                Refuse(PointName() + ": the elevation \"" + text.toStdString() + "\" is not a number.");
                return;
            }
            point.fAltMetres = *elevation;
            hasElevation = true;
        } else if (m_reader.name() == u"time") {
            const auto time = ReadTime();
            if (!time)
                return;
            point.fTime = *time;
            hasTime = true;
        } else {
            m_reader.skipCurrentElement();
        }
    }
    if (m_reader.hasError())
        return;
    if (!hasTime) {
        Refuse(PointName() + " has no time, so it cannot be placed in time.");
        return;
    }
    m_bMissingElevation = m_bMissingElevation || !hasElevation;
    track.points.push_back(point);
}

// Seconds since the epoch of an ISO 8601 time: UTC ("Z", or no zone as GPX
// writes them) or with an offset, fractions of a second kept to the millisecond.
std::optional<double> GpxParser::ReadTime()
{
    const QString text = m_reader.readElementText().trimmed();
    if (m_reader.hasError())
        return std::nullopt;
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid()) {
        Refuse(PointName() + ": the time \"" + text.toStdString() + "\" is not an ISO 8601 time.");
        return std::nullopt;
    }
    if (time.timeSpec() == Qt::LocalTime)
        time.setTimeSpec(Qt::UTC);
    return static_cast<double>(time.toMSecsSinceEpoch()) / 1000.0;
}

}  // namespace

TrackFile ReadGpx(std::string_view bytes, const std::string& name)
{
    return GpxParser(bytes, name).Read();
}
