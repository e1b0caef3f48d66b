<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Configuration</name>
    <message>
        <source>English</source>
        <translation>简体中文</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Front view</source>
        <translation>前摄像头画面</translation>
    </message>
    <message>
        <source>Rear view</source>
        <translation>后摄像头画面</translation>
    </message>
    <message>
        <source>Front rear view</source>
        <translation>前后摄像头画面</translation>
    </message>
    <message>
        <source>Open Files</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>截图</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Set Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Cancel Mute</source>
        <translation>取消静音</translation>
    </message>
</context>
<context>
    <name>Copyright</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本:</translation>
    </message>
</context>
<context>
    <name>FComboBox</name>
    <message>
        <source>Slow</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>加速</translation>
    </message>
</context>
<context>
    <name>MainWindows</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Copyright (C) Ostravane. All rights reserved.</source>
        <translation>Copyright (C) Ostravane。保留所有权利。</translation>
    </message>
    <message>
        <source>Restore Down</source>
        <translation>向下还原</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).</source>
        <translation>此计算机不具备播放 H.265 (HEVC) 所需的视频播放支持功能，因此无法播放此视频。</translation>
    </message>
    <message>
        <source>This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).</source>
        <translation>此计算机不具备播放 H.264 (AVC) 所需的视频播放支持功能，因此无法播放此视频。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>File Name</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Create Date</source>
        <translation>创建日期</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
</context>
<context>
    <name>QInstaller</name>
    <message>
        <source>bytes</source>
        <translation>字节</translation>
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
        <translation>对话框</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Personal settings</source>
        <translation>个人设置</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
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
        <translation>截图保存路径</translation>
    </message>
    <message>
        <source>choose</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Google 地图</translation>
    </message>
    <message>
        <source>Baidu Maps</source>
        <translation>百度地图</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>速度单位</translation>
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
        <translation>渲染模式</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>图像</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>打开文件夹</translation>
    </message>
</context>
<context>
    <name>TripPlaylistModel</name>
    <message>
        <source>Trip %1</source>
        <translation>行程 %1</translation>
    </message>
    <message>
        <source>Unknown time</source>
        <translation>时间未知</translation>
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
        <translation>最高 %1 km/h</translation>
    </message>
    <message>
        <source>max %1 mph</source>
        <translation>最高 %1 mph</translation>
    </message>
</context>
<context>
    <name>TripTimeline</name>
    <message>
        <source>Click to play the trip from that moment</source>
        <translation>点击从该时刻播放行程</translation>
    </message>
</context>
<context>
    <name>GyroChartView</name>
    <message>
        <source>Speed (km/h)</source>
        <translation>速度 (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>速度 (mph)</translation>
    </message>
</context>
</TS>
