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
    <message>
        <source>Events</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Mark the start of the range (I)</source>
        <translation>标记范围起点 (I)</translation>
    </message>
    <message>
        <source>Mark the end of the range (O)</source>
        <translation>标记范围终点 (O)</translation>
    </message>
    <message>
        <source>Export the range</source>
        <translation>导出该范围</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
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
    <message>
        <source>Load track…</source>
        <translation>加载轨迹…</translation>
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
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Harsh braking: speed drop in 1 s</source>
        <translation>急刹车：1 秒内减速</translation>
    </message>
    <message>
        <source>Harsh acceleration: speed rise in 1 s</source>
        <translation>急加速：1 秒内加速</translation>
    </message>
    <message>
        <source>Impact: change between samples</source>
        <translation>碰撞：两次采样间的变化</translation>
    </message>
    <message>
        <source>Impact: reading of an axis</source>
        <translation>碰撞：单轴读数</translation>
    </message>
</context>
<context>
    <name>MapWebView</name>
    <message>
        <source>The map needs OpenGL, which this display does not offer.</source>
        <translation>地图需要 OpenGL，而此显示环境不提供 OpenGL。</translation>
    </message>
</context>
<context>
    <name>FolderTrackDialog</name>
    <message>
        <source>Load track</source>
        <translation>加载轨迹</translation>
    </message>
    <message>
        <source>A GPX or NMEA file that covers the recordings</source>
        <translation>覆盖这些录像的 GPX 或 NMEA 文件</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>浏览…</translation>
    </message>
    <message>
        <source>Camera clock offset:</source>
        <translation>摄像机时钟偏移:</translation>
    </message>
    <message>
        <source>Seconds added to the recordings' times to meet the track's (UTC) times, for a camera clock set to local time</source>
        <translation>当摄像机时钟设为当地时间时，加到录像时间上以对齐轨迹(UTC)时间的秒数</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>加载</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Recordings in %1</source>
        <translation>%1 中的录像</translation>
    </message>
    <message>
        <source>Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)</source>
        <translation>轨迹 (*.gpx *.nmea *.gps *.log *.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Choose a GPX or NMEA file first.</source>
        <translation>请先选择 GPX 或 NMEA 文件。</translation>
    </message>
    <message>
        <source>The track cannot be used: %1</source>
        <translation>无法使用该轨迹: %1</translation>
    </message>
    <message>
        <source>%1: has its own GPS data</source>
        <translation>%1: 自带 GPS 数据</translation>
    </message>
    <message>
        <source>%1: has a track file of its own</source>
        <translation>%1: 有自己的轨迹文件</translation>
    </message>
    <message>
        <source>%1: covered, %2 of %3 s</source>
        <translation>%1: 已覆盖，%3 秒中的 %2 秒</translation>
    </message>
    <message>
        <source>%1: not covered</source>
        <translation>%1: 未覆盖</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: 无法读取</translation>
    </message>
    <message>
        <source>Recordings covered by the track: %1</source>
        <translation>轨迹覆盖的录像: %1</translation>
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
        <translation>时间</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>录像</translation>
    </message>
    <message>
        <source>Harsh braking</source>
        <translation>急刹车</translation>
    </message>
    <message>
        <source>Harsh acceleration</source>
        <translation>急加速</translation>
    </message>
    <message>
        <source>Impact</source>
        <translation>碰撞</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>What</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>GPX and CSV tracks beside the videos</source>
        <translation>在视频旁保存 GPX 和 CSV 轨迹</translation>
    </message>
    <message>
        <source>Mirror the rear picture</source>
        <translation>镜像后视画面</translation>
    </message>
    <message>
        <source>Draw the G-sensor strip</source>
        <translation>绘制重力传感器曲线</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Original quality, front and rear</source>
        <translation>原始画质 (前后)</translation>
    </message>
    <message>
        <source>Side by side with the trip data</source>
        <translation>并排并附行程数据</translation>
    </message>
    <message>
        <source>Rear in a corner of the front, with the trip data</source>
        <translation>后视置于前视一角并附行程数据</translation>
    </message>
    <message>
        <source>All of these</source>
        <translation>以上全部</translation>
    </message>
    <message>
        <source>From %1 to %2 of %3.</source>
        <translation>%3 的 %1 至 %2。</translation>
    </message>
    <message>
        <source>From %1 of %2 to %3 of %4.</source>
        <translation>%2 的 %1 至 %4 的 %3。</translation>
    </message>
    <message>
        <source>From %1 of %2 to the end of %3.</source>
        <translation>%2 的 %1 至 %3 结束。</translation>
    </message>
    <message>
        <source>The original-quality copy starts at the key frame at %1.</source>
        <translation>原始画质副本从 %1 处的关键帧开始。</translation>
    </message>
    <message>
        <source>Export folder</source>
        <translation>导出文件夹</translation>
    </message>
    <message>
        <source>Choose a folder for the files.</source>
        <translation>请为文件选择一个文件夹。</translation>
    </message>
    <message>
        <source>Exporting…</source>
        <translation>正在导出…</translation>
    </message>
    <message>
        <source>Exporting… about %1 left</source>
        <translation>正在导出… 约剩 %1</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>已写入:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>正在取消…</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>The export was cancelled.</source>
        <translation>导出已取消。</translation>
    </message>
    <message>
        <source>The disk is full: %1 could not be written completely into %2.</source>
        <translation>磁盘已满: 无法将 %1 完整写入 %2。</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to: %2.</source>
        <translation>无法写入文件夹 %1: %2。</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>无法写入 %1: %2</translation>
    </message>
    <message>
        <source>There is no range to export.</source>
        <translation>没有可导出的范围。</translation>
    </message>
    <message>
        <source>The folder %1 does not exist and cannot be made.</source>
        <translation>文件夹 %1 不存在且无法创建。</translation>
    </message>
    <message>
        <source>Nothing was chosen to export.</source>
        <translation>未选择要导出的内容。</translation>
    </message>
    <message>
        <source>The folder %1 holds too many exports of this range.</source>
        <translation>文件夹 %1 中此范围的导出过多。</translation>
    </message>
    <message>
        <source>The export failed: %1</source>
        <translation>导出失败: %1</translation>
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
