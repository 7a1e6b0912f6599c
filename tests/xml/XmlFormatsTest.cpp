// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "xml/GpxReader.h"
#include "xml/KmlExport.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <sstream>

// clang-format off
const std::string V11 = "<gpx xmlns='http://www.topografix.com/GPX/1/1'>", T = "<time>2024-05-01T12:00:00Z</time>";  // 1714564800
struct GpxCase { const char* name; std::string gpx, expected; };  // expected: Summary or the refusal's start
const GpxCase kCases[] = {
    {"fractions and offsets", V11 + "<trk><name>Run</name><trkseg><trkpt lat='47.5' lon='8.25'><ele>500</ele><time>2024-05-01T12:00:00.5Z</time></trkpt><trkpt lat='-33.75' lon='-70.5'><ele>600.25</ele><time>2024-05-01T14:00:01+02:00</time></trkpt></trkseg></trk></gpx>", "Run 1@1714564800.5 47.5,8.25,500;Run 2@1714564801 -33.75,-70.5,600.25;+0"},
    {"two tracks, segments joined, no elevation", V11 + "<trk><trkseg><trkpt lat='1' lon='2'>" + T + "</trkpt></trkseg><trkseg><trkpt lat='3' lon='4'><ele>5</ele>" + T + "</trkpt></trkseg></trk><trk><name>B</name><trkseg><trkpt lat='6' lon='7'><ele>8</ele>" + T + "</trkpt></trkseg></trk></gpx>", "Track 1 1@1714564800 1,2,0;Track 1 2@1714564800 3,4,5;B 3@1714564800 6,7,8;+1"},
    {"GPX 1.0", "<gpx xmlns='http://www.topografix.com/GPX/1/0' version='1.0'><trk><trkseg><trkpt lat='-90' lon='180'><ele>-12.5</ele>" + T + "<speed>3</speed></trkpt></trkseg></trk></gpx>", "Track 1 1@1714564800 -90,180,-12.5;+0"},
    {"point without time", V11 + "<trk><trkseg><trkpt lat='1' lon='2'>" + T + "</trkpt><trkpt lat='1' lon='2'/></trkseg></trk></gpx>", "t.gpx: point 2 has no time"},
    {"only waypoints", V11 + "<wpt lat='1' lon='2'>" + T + "</wpt><rte><rtept lat='1' lon='2'/></rte></gpx>", "t.gpx: the file holds no track"},
    {"malformed XML", V11 + "\n<trk>\n<trkseg></trk></gpx>", "t.gpx: the XML is malformed at line 3"},
};
// clang-format on

// "track source@time lat,lon,metres;" for each point, then "+" the number of notes.
std::string Summary(const TrackFile& file)
{
    std::ostringstream text;
    text.precision(12);
    for (const Track& track : file.tracks)
        for (const TrackPoint& p : track.points)
            text << track.strName << " " << p.nSource << "@" << p.fTime << " " << p.fLat << "," << p.fLon
                 << "," << p.fAltMetres << ";";
    return text.str() + "+" + std::to_string(file.notes.size());
}

TEST(GpxReader, ReadsTracksAndRefusesWhatCannotBeFlown)
{
    for (const GpxCase& row : kCases) {
        const TrackFile f = ReadGpx(row.gpx, "t.gpx");
        EXPECT_EQ(f.strError.empty() ? Summary(f) : f.strError.substr(0, row.expected.size()), row.expected)
            << row.name;
    }
}

// Each Placemark read back as "name|style|altitude mode|path coordinates|"; sample 2 is off the globe.
TEST(KmlExport, TwoPathsReadBackAreasFirstCurrentPathApart)
{
    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    AddPath(doc, {SampleAt(47.5f, 8.25f, 1000), SampleAt(95, 8.3f), SampleAt(47.75f, 8.5f, 2000)});
    AddPath(doc, {SampleAt(47.625f, 8.375f)}).m_strVehicle = "0FE0C - LearJet";
    QXmlStreamReader kml(QByteArray::fromStdString(KmlDocument(doc)));
    EXPECT_TRUE(kml.readNextStartElement() && kml.namespaceUri() == u"http://www.opengis.net/kml/2.2");
    std::string read;
    while (!kml.atEnd()) {
        if (kml.readNext() == QXmlStreamReader::StartElement && kml.name() == u"Polygon")
            kml.skipCurrentElement();
        else if (kml.isStartElement() &&
                 QStringList{"name", "styleUrl", "altitudeMode", "coordinates"}.contains(kml.name()))
            read += kml.readElementText().toStdString() + "|";
    }
    EXPECT_EQ(read, "Area1|#area|Area2|#area|Header|#area|PATTERN0 0FE0B - Cessna|#path|absolute|"
                    "8.250000,47.500000,304.80 8.500000,47.750000,609.60|"
                    "PATTERN1 0FE0C - LearJet|#currentPath|absolute|8.375000,47.625000,0.00|");
}
