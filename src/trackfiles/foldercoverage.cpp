#include "foldercoverage.h"

#include "aviparser.h"
#include "externaltrack.h"
#include "mp4parser.h"
#include "trackaligner.h"

#include <memory>

FolderCoverage::Result FolderCoverage::of(const QString &recordingPath)
{
    Result r;
    std::unique_ptr<ParserObject> parser;
    if (recordingPath.endsWith(QLatin1String(".AVI"), Qt::CaseInsensitive))
        parser = std::make_unique<AVIParser>(recordingPath);
    else
        parser = std::make_unique<Mp4Parser>(recordingPath);
    if (!parser->isOpen())
        return r;
    r.seconds = parser->duration + 1;
    GpsData first;
    if (parser->gpsKind != NoGps && parser->readGpsSample(0, &first)) {
        r.source = OwnTrip;
        return r;
    }
    if (!ExternalTrack::sidecarPath(recordingPath).isEmpty()) {
        r.source = Sidecar;
        return r;
    }
    r.coveredSeconds = TrackAligner::coveredSeconds(
        ExternalTrack::folderTrackSamples(recordingPath, parser->createTime, parser->duration));
    r.source = r.coveredSeconds > 0 ? FolderTrack : Uncovered;
    return r;
}
