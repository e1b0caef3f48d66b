#include "FFDemuxer.h"

#include <QThread>

namespace TrackoraActiveX {

CFFDemuxer::CFFDemuxer(CFFPlayer *owner) : owner(owner) {}
CFFDemuxer::~CFFDemuxer() {}
bool CFFDemuxer::openMedia(const QString &) { return false; }
bool CFFDemuxer::initialize() { return false; }
void CFFDemuxer::pauseDemux(bool) {}
void CFFDemuxer::stopDemux() {}
bool CFFDemuxer::seekFile(int, FFStates) { return false; }
bool CFFDemuxer::seekFileLocked(int, FFStates) { return false; }
void CFFDemuxer::setSeekSecond(int, FFStates) {}
int CFFDemuxer::seekSecond() { return m_seekSecond; }
void CFFDemuxer::setDurationMs(qint64 ms) { durationMs = ms; }
void CFFDemuxer::onDemux() {}
void CFFDemuxer::onDemuxStarted() {}
void CFFDemuxer::onDemuxFinished() {}

} // namespace TrackoraActiveX
