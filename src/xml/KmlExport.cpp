// SPDX-License-Identifier: GPL-3.0-or-later
// The paths and scenery areas as KML, written with Qt's XML stream writer.

#include "xml/KmlExport.h"

#include "document/FileIO.h"
#include "document/ImpossibleValues.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "output/SceneryArea.h"
#include "processing/Geodesy.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QXmlStreamWriter>

namespace {

const QString kKmlNamespace = QStringLiteral("http://www.opengis.net/kml/2.2");

// Style ids.
const QString kPathStyle = QStringLiteral("path");
const QString kCurrentPathStyle = QStringLiteral("currentPath");
const QString kAreaStyle = QStringLiteral("area");

// Polygons are filled unless their style says otherwise.
enum class Fill { Default, None };

// KML writes a colour as hexadecimal alpha, blue, green, red.
void WriteStyle(QXmlStreamWriter& xml, const QString& id, const QString& colour, const QString& width,
                Fill fill)
{
    xml.writeStartElement("Style");
    xml.writeAttribute("id", id);
    xml.writeStartElement("LineStyle");
    xml.writeTextElement("color", colour);
    xml.writeTextElement("width", width);
    xml.writeEndElement();
    if (fill == Fill::None) {
        xml.writeStartElement("PolyStyle");
        xml.writeTextElement("fill", "0");
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// Degrees as the map text writes them, six decimals.
QString Degrees(double value)
{
    return QString::number(value, 'f', 6);
}

void StartPlacemark(QXmlStreamWriter& xml, const QString& name, const QString& style)
{
    xml.writeStartElement("Placemark");
    xml.writeTextElement("name", name);
    xml.writeTextElement("styleUrl", "#" + style);
}

// Outline of one area: north-west, north-east, south-east, south-west and north-west again.
void WriteArea(QXmlStreamWriter& xml, const SceneryAreaBox& area)
{
    const QString n = Degrees(area.fNorth), s = Degrees(area.fSouth);
    const QString e = Degrees(area.fEast), w = Degrees(area.fWest);
    StartPlacemark(xml, QString::fromLatin1(area.strName.data(), static_cast<qsizetype>(area.strName.size())),
                   kAreaStyle);
    xml.writeStartElement("Polygon");
    xml.writeStartElement("outerBoundaryIs");
    xml.writeStartElement("LinearRing");
    xml.writeTextElement(
        "coordinates",
        QStringList{w + ',' + n, e + ',' + n, e + ',' + s, w + ',' + s, w + ',' + n}.join(' '));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// The path's samples as lon,lat,alt with the altitude in metres.
void WritePath(QXmlStreamWriter& xml, const CVolantorDoc& doc, int index)
{
    const VehiclePath& path = doc.m_paths[index];
    // The document keeps the vehicle text one byte a character, in Latin-1.
    const QString name = "PATTERN" + QString::number(index) + ' ' + QString::fromLatin1(path.m_strVehicle);
    StartPlacemark(xml, name, index == doc.m_nCurPath ? kCurrentPathStyle : kPathStyle);
    xml.writeStartElement("LineString");
    xml.writeTextElement("altitudeMode", "absolute");
    QStringList points;
    for (int i = path.m_nFirstSample; i <= path.m_nLastSample; ++i) {
        const PathSample& sample = doc.m_samples[i];
        if (HoldsImpossibleNumbers(sample))
            continue;
        const double metres = sample.m_fAlt * geodesy::kFeetToMetres;
        points.append(Degrees(sample.m_fLon) + ',' + Degrees(sample.m_fLat) + ',' +
                      QString::number(metres, 'f', 2));
    }
    xml.writeTextElement("coordinates", points.join(' '));
    xml.writeEndElement();
    xml.writeEndElement();
}

}  // namespace

std::string KmlDocument(const CVolantorDoc& doc)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement("kml");
    xml.writeDefaultNamespace(kKmlNamespace);
    xml.writeStartElement("Document");
    WriteStyle(xml, kPathStyle, "ff00ffff", "2", Fill::Default);
    WriteStyle(xml, kCurrentPathStyle, "ff0000ff", "4", Fill::Default);
    // An area shows only its outline.
    WriteStyle(xml, kAreaStyle, "ffffffff", "1", Fill::None);
    for (const SceneryAreaBox& area : SceneryAreaBoxes(doc))
        WriteArea(xml, area);
    for (int i = 0; i < static_cast<int>(doc.m_paths.size()); ++i)
        WritePath(xml, doc, i);
    xml.writeEndDocument();
    return bytes.toStdString();
}

void OnExportKml(CVolantorDoc& doc, UserInterface& ui)
{
    if (doc.m_paths.empty()) {
        ui.ShowFailure("Nothing loaded!");
        return;
    }
    const auto file = ui.ChooseFileToSave({"KML Files (*.kml)|*.kml||", "kml", doc.SuggestedFileName(".kml")});
    if (!file)
        return;
    std::string error;
    if (!SaveFileSafely(*file, KmlDocument(doc), error))
        ui.ShowFailure("Error opening KML output file!");
}
