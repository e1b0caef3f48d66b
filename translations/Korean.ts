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
