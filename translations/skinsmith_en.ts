<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AttributeGridModel</name>
    <message>
        <source>属性</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>AttributeListCtrl</name>
    <message>
        <source>Browse..</source>
        <translation>Browse..</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>属性列</source>
        <translation>Property columns</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>字符串选择尚不可用</source>
        <translation>String selection is not available yet</translation>
    </message>
</context>
<context>
    <name>BudgetReportDlg</name>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>资源空间报告</source>
        <translation>Resource Space Report</translation>
    </message>
    <message>
        <source>概要</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>图片和字符串</source>
        <translation>Pictures and strings</translation>
    </message>
    <message>
        <source>最大的资源</source>
        <translation>Largest resources</translation>
    </message>
    <message>
        <source>浪费</source>
        <translation>Waste</translation>
    </message>
    <message>
        <source>图表</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>存储字节</source>
        <translation>Stored bytes</translation>
    </message>
    <message>
        <source>原始字节</source>
        <translation>Raw bytes</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>压缩</source>
        <translation>Compression</translation>
    </message>
    <message>
        <source>压缩比</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>字符串</source>
        <translation>String</translation>
    </message>
    <message>
        <source>列标题</source>
        <translation>Column headers</translation>
    </message>
    <message>
        <source>行标题</source>
        <translation>Row headers</translation>
    </message>
    <message>
        <source>%1 个输出文件，共 %2；图片 %3 张 %4，字符串 %5 条 %6</source>
        <translation>Output files: %1, %2 in all; pictures: %3, %4; strings: %5, %6</translation>
    </message>
    <message>
        <source>（输出文件不是最新的，已在临时目录中生成）</source>
        <translation> (the outputs were not up to date and were built in a temporary folder)</translation>
    </message>
    <message>
        <source>未被场景使用的图片：%1
内容相同的图片：%2 组
大于屏幕的图片：%3</source>
        <translation>Pictures no scene uses: %1
Groups of identical pictures: %2
Pictures larger than the screen: %3</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>BuildLogPanel</name>
    <message>
        <source>生成日志</source>
        <translation>Build Log</translation>
    </message>
</context>
<context>
    <name>BuildProgressDlg</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>生成阶段</source>
        <translation>Build phase</translation>
    </message>
    <message>
        <source>生成进度</source>
        <translation>Build progress</translation>
    </message>
    <message>
        <source>百分比</source>
        <translation>Percentage</translation>
    </message>
    <message>
        <source>取消生成</source>
        <translation>Cancel build</translation>
    </message>
    <message>
        <source>生成资源</source>
        <translation>Build Resources</translation>
    </message>
    <message>
        <source>正在取消...</source>
        <translation>Cancelling...</translation>
    </message>
</context>
<context>
    <name>BuildRunner</name>
    <message>
        <source>生成资源</source>
        <translation>Build Resources</translation>
    </message>
    <message>
        <source>正在执行任务，请等待其结束后再关闭窗口。</source>
        <translation>A task is running. Please wait until it has finished before closing the window.</translation>
    </message>
    <message>
        <source>正在生成资源，是否取消生成并关闭窗口？
取消后原有的生成文件保持不变。</source>
        <translation>Resources are being built. Cancel the build and close the window?
If cancelled, the files built before stay unchanged.</translation>
    </message>
</context>
<context>
    <name>CBatchBuildDlg</name>
    <message>
        <source>Desktop file</source>
        <translation>Desktop file</translation>
    </message>
    <message>
        <source>Resource file</source>
        <translation>Resource file</translation>
    </message>
    <message>
        <source>res .h</source>
        <translation>res .h</translation>
    </message>
    <message>
        <source>Style file</source>
        <translation>Style file</translation>
    </message>
    <message>
        <source>Style header</source>
        <translation>Style header</translation>
    </message>
    <message>
        <source>Best quality</source>
        <translation>Best quality</translation>
    </message>
    <message>
        <source>Smallest size</source>
        <translation>Smallest size</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Build</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Batch Build Resource</source>
        <translation>Batch Build Resource</translation>
    </message>
    <message>
        <source>Apps directory:</source>
        <translation>Apps directory:</translation>
    </message>
    <message>
        <source>Apps directory</source>
        <translation>Apps directory</translation>
    </message>
    <message>
        <source>Browse..</source>
        <translation>Browse..</translation>
    </message>
    <message>
        <source>The picture and string identifier headers are written and deleted again within every resource build</source>
        <translation>The picture and string identifier headers are written and deleted again within every resource build</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>Passes -minsize; it applies to the resource file</source>
        <translation>Passes -minsize; it applies to the resource file</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Output:</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>请指定路径!</source>
        <translation>Please specify the path!</translation>
    </message>
    <message>
        <source>resBuildApp could not be started: %1</source>
        <translation>resBuildApp could not be started: %1</translation>
    </message>
    <message>
        <source>resBuildApp stopped unexpectedly</source>
        <translation>resBuildApp stopped unexpectedly</translation>
    </message>
</context>
<context>
    <name>CBuildResDlg</name>
    <message>
        <source>生成资源</source>
        <translation>Build Resources</translation>
    </message>
    <message>
        <source>要求资源质量最高</source>
        <translation>Best resource quality</translation>
    </message>
    <message>
        <source>要求资源所占空间最小</source>
        <translation>Smallest resource size</translation>
    </message>
    <message>
        <source>资源质量</source>
        <translation>Resource quality</translation>
    </message>
    <message>
        <source>切分RES</source>
        <translation>Split RES</translation>
    </message>
    <message>
        <source>每份大小(M):</source>
        <translation>Part size (MB):</translation>
    </message>
    <message>
        <source>差分包</source>
        <translation>Differential package</translation>
    </message>
    <message>
        <source>起始:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>起始范围</source>
        <translation>Start range</translation>
    </message>
    <message>
        <source>差分工程</source>
        <translation>Differential project...</translation>
    </message>
    <message>
        <source>切分</source>
        <translation>Splitting</translation>
    </message>
    <message>
        <source>分块压缩</source>
        <translation>Compress in tiles</translation>
    </message>
    <message>
        <source>宽:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>压缩格式:</source>
        <translation>Compression format:</translation>
    </message>
    <message>
        <source>压缩</source>
        <translation>Compression</translation>
    </message>
    <message>
        <source>打包原始JPEG</source>
        <translation>Pack original JPEG</translation>
    </message>
    <message>
        <source>JPEG最小宽度</source>
        <translation>JPEG min. width</translation>
    </message>
    <message>
        <source>JPEG最小高度</source>
        <translation>JPEG min. height</translation>
    </message>
    <message>
        <source>分块宽度</source>
        <translation>Tile width</translation>
    </message>
    <message>
        <source>分块高度</source>
        <translation>Tile height</translation>
    </message>
    <message>
        <source>图片质量</source>
        <translation>Picture quality</translation>
    </message>
    <message>
        <source>JPEG</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>无法保存生成设置：%1</source>
        <translation>Cannot save the build settings: %1</translation>
    </message>
</context>
<context>
    <name>CDlgUiResizer</name>
    <message>
        <source>ui缩放程序</source>
        <translation>UI Resizer</translation>
    </message>
    <message>
        <source>src_width: </source>
        <translation>src_width: </translation>
    </message>
    <message>
        <source>src_height: </source>
        <translation>src_height: </translation>
    </message>
    <message>
        <source>dst_width: </source>
        <translation>dst_width: </translation>
    </message>
    <message>
        <source>dst_height: </source>
        <translation>dst_height: </translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>请选择源APPS路径</source>
        <translation>Choose the source apps folder</translation>
    </message>
    <message>
        <source>请选择目标APPS路径</source>
        <translation>Choose the destination apps folder</translation>
    </message>
    <message>
        <source>src_apps_dir:</source>
        <translation>src_apps_dir:</translation>
    </message>
    <message>
        <source>    res_dir:
(relative to apps)</source>
        <translation>    res_dir:
(relative to apps)</translation>
    </message>
    <message>
        <source>dst_apps_dir:</source>
        <translation>dst_apps_dir:</translation>
    </message>
    <message>
        <source>upright_dir_name:</source>
        <translation>upright_dir_name:</translation>
    </message>
    <message>
        <source>sidelong_dir_name:</source>
        <translation>sidelong_dir_name:</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>资源</source>
        <translation>Resources</translation>
    </message>
    <message>
        <source>层管理</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>资源管理</source>
        <translation>Resource Manager</translation>
    </message>
    <message>
        <source>生成日志</source>
        <translation>Build Log</translation>
    </message>
    <message>
        <source>文本检查</source>
        <translation>Text Check</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>排列</source>
        <translation>Arrange</translation>
    </message>
    <message>
        <source>排列工具栏</source>
        <translation>Arrange toolbar</translation>
    </message>
    <message>
        <source>更多工具</source>
        <translation>More tools</translation>
    </message>
    <message>
        <source>菜单栏</source>
        <translation>Menu bar</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>最近文件</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>排列(&amp;A)</source>
        <translation>&amp;Arrange</translation>
    </message>
    <message>
        <source>工程(&amp;P)</source>
        <translation>&amp;Project</translation>
    </message>
    <message>
        <source>工程设置(&amp;G)...</source>
        <translation>Project Settin&amp;gs...</translation>
    </message>
    <message>
        <source>生成(&amp;B)</source>
        <translation>&amp;Build</translation>
    </message>
    <message>
        <source>图片资源格式(&amp;F)</source>
        <translation>Picture &amp;Format</translation>
    </message>
    <message>
        <source>图片资源格式</source>
        <translation>Picture format</translation>
    </message>
    <message>
        <source>生成资源</source>
        <translation>Build &amp;Resources</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>当前坐标：000 ，000</source>
        <translation>Position: 000, 000</translation>
    </message>
    <message>
        <source>当前坐标</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>进度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>状态栏</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>已取消生成资源，原有文件均未改变</source>
        <translation>Build cancelled; the files built before are unchanged</translation>
    </message>
    <message>
        <source>生成资源失败</source>
        <translation>Building the resources failed</translation>
    </message>
    <message>
        <source>当前坐标:%1, %2</source>
        <translation>Position: %1, %2</translation>
    </message>
    <message>
        <source>完成%1%2%</source>
        <translation>%1 %2% done</translation>
    </message>
    <message>
        <source>无法打开目录：%1</source>
        <translation>Cannot open the folder: %1</translation>
    </message>
    <message>
        <source>找不到用户手册：%1</source>
        <translation>The user manual was not found: %1</translation>
    </message>
    <message>
        <source>用户手册</source>
        <translation>User Manual</translation>
    </message>
    <message>
        <source>关于 SkinSmith</source>
        <translation>About SkinSmith</translation>
    </message>
    <message>
        <source>无法生成资源空间报告：%1</source>
        <translation>Cannot make the resource space report: %1</translation>
    </message>
    <message>
        <source>无法保存语言设置：%1</source>
        <translation>Cannot save the language setting: %1</translation>
    </message>
    <message>
        <source>界面语言将在下次启动 SkinSmith 时更改。</source>
        <translation>The language changes the next time SkinSmith starts.</translation>
    </message>
    <message>
        <source>语言(&amp;N)</source>
        <translation>La&amp;nguage</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>资源空间报告</source>
        <translation>Resource Space Report</translation>
    </message>
</context>
<context>
    <name>CPrjResizeDlg</name>
    <message>
        <source>当前宽</source>
        <translation>Current width</translation>
    </message>
    <message>
        <source>当前高</source>
        <translation>Current height</translation>
    </message>
    <message>
        <source>新的宽</source>
        <translation>New width</translation>
    </message>
    <message>
        <source>新的高</source>
        <translation>New height</translation>
    </message>
    <message>
        <source>工程缩放</source>
        <translation>Resize Project</translation>
    </message>
    <message>
        <source>当前尺寸:</source>
        <translation>Current size:</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>新的尺寸:</source>
        <translation>New size:</translation>
    </message>
</context>
<context>
    <name>CProjectTree</name>
    <message>
        <source>资源</source>
        <translation>Resources</translation>
    </message>
</context>
<context>
    <name>CResizerRunWindow</name>
    <message>
        <source>ui缩放程序运行中...</source>
        <translation>UI Resizer is running...</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ui缩放程序</source>
        <translation>UI Resizer</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>无法启动 %1：%2
</source>
        <translation>Cannot start %1: %2
</translation>
    </message>
    <message>
        <source>ui缩放程序无法启动</source>
        <translation>UI Resizer could not be started</translation>
    </message>
    <message>
        <source>ui缩放程序异常结束</source>
        <translation>UI Resizer stopped unexpectedly</translation>
    </message>
    <message>
        <source>ui缩放程序已完成</source>
        <translation>UI Resizer has finished</translation>
    </message>
    <message>
        <source>ui缩放程序已结束，退出码 %1</source>
        <translation>UI Resizer ended with exit code %1</translation>
    </message>
</context>
<context>
    <name>CZORVEDoc</name>
    <message>
        <source>UI文件(*.ui)|*.ui|全部文件(*.*)|*.*||</source>
        <translation>UI files (*.ui)|*.ui|All files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>界面风格配置文件</source>
        <translation>Open UI Style Project</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
</context>
<context>
    <name>CZORVEView</name>
    <message>
        <source>编辑区</source>
        <translation>Editing area</translation>
    </message>
    <message>
        <source>编辑面板</source>
        <translation>Editing panel</translation>
    </message>
</context>
<context>
    <name>CommandActions</name>
    <message>
        <source>关于 SkinSmith(&amp;A)...</source>
        <translation>&amp;About SkinSmith...</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DlgLayerManage</name>
    <message>
        <source>全选</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>反选</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>图层</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>图层列</source>
        <translation>Layer columns</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>DlgProjectCreate</name>
    <message>
        <source>新建工程</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>保存路径</source>
        <translation>Save folder</translation>
    </message>
    <message>
        <source>工程名</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>Case目录</source>
        <translation>Case folder</translation>
    </message>
    <message>
        <source>完整路径</source>
        <translation>Full path</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>浏览保存路径</source>
        <translation>Browse for the save folder</translation>
    </message>
    <message>
        <source>浏览Case目录</source>
        <translation>Browse for the case folder</translation>
    </message>
    <message>
        <source>工程名(&amp;N)：</source>
        <translation>Project &amp;name:</translation>
    </message>
    <message>
        <source>保存路径(&amp;S)：</source>
        <translation>&amp;Save in:</translation>
    </message>
    <message>
        <source>Case目录(&amp;C)：</source>
        <translation>&amp;Case folder:</translation>
    </message>
    <message>
        <source>工程文件：</source>
        <translation>Project file:</translation>
    </message>
    <message>
        <source>请选择工程路径</source>
        <translation>Choose the project folder</translation>
    </message>
    <message>
        <source>请选择Case路径</source>
        <translation>Choose the case folder</translation>
    </message>
</context>
<context>
    <name>DlgProjectSetting</name>
    <message>
        <source>工程设置</source>
        <translation>Project Settings</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>工程名</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>Case目录</source>
        <translation>Case folder</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>浏览Case目录</source>
        <translation>Browse for the case folder</translation>
    </message>
    <message>
        <source>语言(&amp;L)：</source>
        <translation>&amp;Language:</translation>
    </message>
    <message>
        <source>工程名(&amp;N)：</source>
        <translation>Project &amp;name:</translation>
    </message>
    <message>
        <source>Case目录(&amp;C)：</source>
        <translation>&amp;Case folder:</translation>
    </message>
    <message>
        <source>工程名不能为空</source>
        <translation>The project name must not be empty</translation>
    </message>
    <message>
        <source>请选择Case路径</source>
        <translation>Choose the case folder</translation>
    </message>
</context>
<context>
    <name>DlgResDirSelect</name>
    <message>
        <source>全选</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>全不选</source>
        <translation>Select None</translation>
    </message>
    <message>
        <source>选择图片资源目录</source>
        <translation>Choose Picture Folders</translation>
    </message>
    <message>
        <source>选择字符串资源目录</source>
        <translation>Choose String Folders</translation>
    </message>
    <message>
        <source>从以下目录更新图片资源：</source>
        <translation>Update the pictures from these folders:</translation>
    </message>
    <message>
        <source>从以下目录更新字符串资源：</source>
        <translation>Update the strings from these folders:</translation>
    </message>
    <message>
        <source>资源目录</source>
        <translation>Resource folder</translation>
    </message>
    <message>
        <source>目录列表</source>
        <translation>Folder list</translation>
    </message>
    <message>
        <source>按钮</source>
        <translation>Buttons</translation>
    </message>
    <message>
        <source>请至少选择一个目录！</source>
        <translation>Please choose at least one folder!</translation>
    </message>
</context>
<context>
    <name>DlgResModule</name>
    <message>
        <source>刷新列表</source>
        <translation>Refresh List</translation>
    </message>
    <message>
        <source>添加文件...</source>
        <translation>Add Files...</translation>
    </message>
    <message>
        <source>添加目录...</source>
        <translation>Add Folder...</translation>
    </message>
    <message>
        <source>删除选择</source>
        <translation>Delete Selected</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <source>清空所有列表</source>
        <translation>Clear All Lists</translation>
    </message>
    <message>
        <source>从资源目录更新图片...</source>
        <translation>Update Pictures from Resource Folder...</translation>
    </message>
    <message>
        <source>从资源目录更新字符串...</source>
        <translation>Update Strings from Resource Folder...</translation>
    </message>
    <message>
        <source>资源管理</source>
        <translation>Resource Manager</translation>
    </message>
    <message>
        <source>筛选</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>资源列表</source>
        <translation>Resource list</translation>
    </message>
    <message>
        <source>资源列</source>
        <translation>Resource columns</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>图片大小</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>字符串内容</source>
        <translation>String text</translation>
    </message>
    <message>
        <source>资源列表菜单</source>
        <translation>Resource list menu</translation>
    </message>
</context>
<context>
    <name>DlgSearch</name>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>DlgStringSelect</name>
    <message>
        <source>按名字</source>
        <translation>By name</translation>
    </message>
    <message>
        <source>按字符串内容</source>
        <translation>By text</translation>
    </message>
    <message>
        <source>选择字符串</source>
        <translation>Choose String</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>字符串列表</source>
        <translation>String list</translation>
    </message>
    <message>
        <source>按钮</source>
        <translation>Buttons</translation>
    </message>
    <message>
        <source>请选择字符串项</source>
        <translation>Please choose a string</translation>
    </message>
</context>
<context>
    <name>LayerListModel</name>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
</context>
<context>
    <name>NetEditCtrl</name>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>RulerWidget</name>
    <message>
        <source>水平标尺</source>
        <translation>Horizontal ruler</translation>
    </message>
    <message>
        <source>垂直标尺</source>
        <translation>Vertical ruler</translation>
    </message>
    <message>
        <source>从标尺拖出参考线</source>
        <translation>Drag a guide out of the ruler</translation>
    </message>
</context>
<context>
    <name>SurfaceContextMenu</name>
    <message>
        <source>编辑区菜单</source>
        <translation>Editing area menu</translation>
    </message>
    <message>
        <source>排列</source>
        <translation>Arrange</translation>
    </message>
</context>
<context>
    <name>SurfaceWidget</name>
    <message>
        <source>Editing surface</source>
        <translation>Editing surface</translation>
    </message>
    <message>
        <source>竖直参考线的横坐标（像素）：</source>
        <translation>X position of the vertical guide (pixels):</translation>
    </message>
    <message>
        <source>水平参考线的纵坐标（像素）：</source>
        <translation>Y position of the horizontal guide (pixels):</translation>
    </message>
    <message>
        <source>参考线</source>
        <translation>Guide</translation>
    </message>
</context>
<context>
    <name>TextCheckPanel</name>
    <message>
        <source>文本检查</source>
        <translation>Text Check</translation>
    </message>
    <message>
        <source>文本检查结果</source>
        <translation>Text check results</translation>
    </message>
    <message>
        <source>文本检查行号</source>
        <translation>Text check row numbers</translation>
    </message>
    <message>
        <source>文本检查列标题</source>
        <translation>Text check column headers</translation>
    </message>
    <message>
        <source>文本检查状态</source>
        <translation>Text check status</translation>
    </message>
    <message>
        <source>没有打开的工程</source>
        <translation>No project is open</translation>
    </message>
    <message>
        <source>检查中…</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>测量字体</source>
        <translation>Measuring font</translation>
    </message>
    <message>
        <source>测量字体...</source>
        <translation>Measuring Font...</translation>
    </message>
    <message>
        <source>选择测量字体</source>
        <translation>Choose measuring font</translation>
    </message>
    <message>
        <source>测量字体菜单</source>
        <translation>Measuring font menu</translation>
    </message>
    <message>
        <source>选择字体文件...</source>
        <translation>Choose a Font File...</translation>
    </message>
    <message>
        <source>使用已安装的字体</source>
        <translation>Use the Installed Fonts</translation>
    </message>
    <message>
        <source>测量字体：%1</source>
        <translation>Measuring font: %1</translation>
    </message>
</context>
<context>
    <name>ZoomControl</name>
    <message>
        <source>缩放</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>缩放：%1</source>
        <translation>Zoom: %1</translation>
    </message>
</context>
</TS>
