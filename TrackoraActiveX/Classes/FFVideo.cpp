#include "FFVideo.h"

namespace TrackoraActiveX {

CFFVideo::CFFVideo(CFFPlayer *owner) : CFFAVBase(owner) {}
CFFVideo::~CFFVideo() {}
bool CFFVideo::avcodecOpen() { return false; }
void CFFVideo::start() {}
void CFFVideo::stop() {}
void CFFVideo::pause() {}
bool CFFVideo::pushPacket(const AVPacket *src) { return packetQueue.pushQueue(src); }
bool CFFVideo::pullFrame(AVFrame *dst) { return frameQueue.pullQueue(dst); }
void CFFVideo::flushPackets() { packetQueue.flushQueue(); }
void CFFVideo::flushFrames() { frameQueue.flushQueue(); }
int CFFVideo::frameQueueSize() { return frameQueue.queueSize(); }
void CFFVideo::abortWaits() { packetQueue.abortWaits(); frameQueue.abortWaits(); }
FFDecodeMode CFFVideo::decodeMode() { return m_decodeMode; }
AVPixelFormat CFFVideo::outputFormat() { return AV_PIX_FMT_YUV420P; }
bool CFFVideo::isSeekStep() { return seekStep; }
void CFFVideo::setSeekStep(bool on) { seekStep = on; }
int CFFVideo::decodePacket(AVPacket *) { return 0; }
int CFFVideo::decodeOne(AVPacket *, AVFrame *) { return 0; }
FFDecodeMode CFFVideo::initDecodeMode(AVCodecContext *, bool) { return SOFTWARE_DECODE; }
AVPixelFormat CFFVideo::findFormatByHwdevice(const char *, AVHWDeviceType &type) { type = AV_HWDEVICE_TYPE_NONE; return AV_PIX_FMT_NONE; }
int CFFVideo::initHardwareDecoder(AVCodecContext *, const AVHWDeviceType) { return -1; }
void CFFVideo::decodeLoop() {}
bool CFFVideo::dropPicture(const AVFrame *) { return false; }
AVFrame *CFFVideo::toOutputFormat(AVFrame *src) { return src; }
AVPixelFormat getHardwareFormat(AVCodecContext *, const AVPixelFormat *) { return AV_PIX_FMT_NONE; }
int extractGPUData(AVFrame *, AVFrame *) { return -1; }

} // namespace TrackoraActiveX
