<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>한국어</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>전방 보기</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>후방 보기</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>전후방 보기</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>캡처</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>이전</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>재생</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>다음</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>음소거</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>음소거 해제</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>구간 시작 표시 (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>구간 끝 표시 (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>구간 내보내기</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>내보내기</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>버전:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>느리게</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>빠르게</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>최소화</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>최대화</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane. 모든 권리 보유.</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>이전 크기로 복원</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>폴더 열기</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>이 컴퓨터에는 H.265 (HEVC) 재생에 필요한 동영상 재생 지원 기능이 없어 이 동영상을 재생할 수 없습니다.</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>이 컴퓨터에는 H.264 (AVC) 재생에 필요한 동영상 재생 지원 기능이 없어 이 동영상을 재생할 수 없습니다.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Load track…</source>
        <translation>트랙 불러오기…</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>파일 이름</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>재생 시간</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>만든 날짜</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>크기</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>해상도</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>바이트</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>EB</translation>
    </message>
    <message>
        <source>ZB</source>
        <translation>ZB</translation>
    </message>
    <message>
        <source>YB</source>
        <translation>YB</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ostravane</source>
        <translation>Ostravane</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Dialog</source>
        <translation>대화 상자</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>개인 설정</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>日本語 (JP)</source>
        <translation>日本語 (JP)</translation>
    </message>
    <message>
        <source>ENGLISH(US)</source>
        <translation>ENGLISH(US)</translation>
    </message>
    <message>
        <source>ENGLISH(GB)</source>
        <translation>ENGLISH(GB)</translation>
    </message>
    <message>
        <source>Screenshot save path</source>
        <translation>스크린샷 저장 경로</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>선택</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>지도</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Google 지도</translation>
    </message>
    <message>
        <source>Baidu Maps</source>
        <translation>바이두 지도</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>속도 단위</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>mph</translation>
    </message>
    <message>
        <source>RenderModel</source>
        <translation>렌더링 방식</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>이미지</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>폴더 열기</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>고급</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>급제동: 1초간 속도 감소</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>급가속: 1초간 속도 증가</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>충격: 샘플 간 변화</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>충격: 축 측정값</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>지도에는 OpenGL이 필요하지만 이 디스플레이에서는 사용할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>트랙 불러오기</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>녹화를 포함하는 GPX 또는 NMEA 파일</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>찾아보기…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>카메라 시계 오프셋:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>카메라 시계가 현지 시간으로 설정된 경우, 녹화 시간을 트랙의 (UTC) 시간에 맞추기 위해 더하는 초</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 초</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>불러오기</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>%1의 녹화</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>트랙 (*.gpx *.nmea *.gps *.log *.txt);;모든 파일 (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>먼저 GPX 또는 NMEA 파일을 선택하세요.</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>트랙을 사용할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: 자체 GPS 데이터 있음</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: 자체 트랙 파일 있음</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: 포함됨, %3초 중 %2초</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: 포함되지 않음</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: 읽을 수 없음</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>트랙에 포함된 녹화: %1</translation>
    </message>
</context>
<context>
    <name>EventListModel</name>
    <message>
        <source>%1 g</source>
        <translation>%1 g</translation>
    </message>
    <message>
        <source>%1 km/h/s</source>
        <translation>%1 km/h/s</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>종류</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>값</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>녹화 파일</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>급제동</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>급가속</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>충격</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>내보내기</translation>
    </message>
    <message>
        <source>What</source>
        <translation>내용</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>동영상 옆에 GPX 및 CSV 경로</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>후방 영상 좌우 반전</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>G센서 그래프 표시</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>저장 위치</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>원본 화질, 전방 및 후방</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>주행 데이터와 함께 나란히</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>전방 모서리에 후방, 주행 데이터 포함</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>모두</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>%3의 %1부터 %2까지.</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>%2의 %1부터 %4의 %3까지.</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>%2의 %1부터 %3의 끝까지.</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>원본 화질 사본은 %1의 키프레임에서 시작합니다.</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>내보내기 폴더</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>파일을 저장할 폴더를 선택하세요.</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>내보내는 중…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>내보내는 중… 약 %1 남음</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>저장됨:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>취소하는 중…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>내보내기가 취소되었습니다.</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>디스크가 가득 찼습니다: %1을(를) %2에 모두 쓰지 못했습니다.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>폴더 %1에 쓸 수 없습니다: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1을(를) 쓰지 못했습니다: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>내보낼 구간이 없습니다.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>폴더 %1이(가) 없으며 만들 수 없습니다.</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>내보낼 항목을 선택하지 않았습니다.</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>폴더 %1에 이 구간의 내보내기가 너무 많습니다.</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>내보내기 실패: %1</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>주행 %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>시간 알 수 없음</translation>
    </message>
    <message>
        <source>%1 km</source>
        <translation>%1 km</translation>
    </message>
    <message>
        <source>%1 mi</source>
        <translation>%1 mi</translation>
    </message>
    <message>
        <source>max %1 km/h</source>
        <translation>최고 %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>최고 %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>클릭하면 그 시점부터 주행을 재생합니다</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>속도 (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>속도 (mph)</translation>
    </message>
</context>
</TS>
