<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Varnelのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>Varnelのﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ChipTarget</name>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Game Boy</source>
        <translation>ゲームボーイ</translation>
    </message>
    <message>
        <source>Namco 163</source>
        <translation>Namco 163</translation>
    </message>
    <message>
        <source>Famicom Disk System</source>
        <translation>ファミコン ディスクシステム</translation>
    </message>
    <message>
        <source>PC Engine</source>
        <translation>PCエンジン</translation>
    </message>
    <message>
        <source>Konami SCC</source>
        <translation>Konami SCC</translation>
    </message>
    <message>
        <source>WonderSwan</source>
        <translation>ワンダースワン</translation>
    </message>
</context>
<context>
    <name>EditSession</name>
    <message>
        <source>Target</source>
        <translation>ターゲット</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>描画</translation>
    </message>
</context>
<context>
    <name>EditorCommands</name>
    <message>
        <source>Edit with the Keyboard</source>
        <translation>キーボードで編集</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>波形</translation>
    </message>
    <message>
        <source>Transform</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>サイン波</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>三角波</translation>
    </message>
    <message>
        <source>Sawtooth</source>
        <translation>のこぎり波</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>矩形波</translation>
    </message>
    <message>
        <source>Pulse 25 %</source>
        <translation>パルス 25 %</translation>
    </message>
    <message>
        <source>Pulse 12.5 %</source>
        <translation>パルス 12.5 %</translation>
    </message>
    <message>
        <source>Noise</source>
        <translation>ノイズ</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>上下反転</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>左右反転</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>左へずらす</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>右へずらす</translation>
    </message>
    <message>
        <source>Normalize</source>
        <translation>ノーマライズ</translation>
    </message>
    <message>
        <source>Remove DC</source>
        <translation>直流成分を除く</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>なめらかにする</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>大きく</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>小さく</translation>
    </message>
    <message>
        <source>Half Length</source>
        <translation>長さを半分に</translation>
    </message>
    <message>
        <source>Double Length</source>
        <translation>長さを倍に</translation>
    </message>
    <message>
        <source>Only in the wave view</source>
        <translation>波形表示でのみ使えます</translation>
    </message>
    <message>
        <source>The wave is already at its shortest, 2 samples</source>
        <translation>波形はすでに最短の 2 サンプルです</translation>
    </message>
    <message>
        <source>The wave is already at its longest, 64 samples</source>
        <translation>波形はすでに最長の 64 サンプルです</translation>
    </message>
    <message>
        <source>The chip target does not play that length</source>
        <translation>ターゲットのチップはその長さを再生できません</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>開く...</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>最近使ったファイル</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>名前を付けて保存...</translation>
    </message>
    <message>
        <source>Export Sound...</source>
        <translation>音を書き出す...</translation>
    </message>
    <message>
        <source>Export Single Cycle...</source>
        <translation>1 周期を書き出す...</translation>
    </message>
    <message>
        <source>Import WAV...</source>
        <translation>WAV を読み込む...</translation>
    </message>
    <message>
        <source>Import WAV, First Samples as One Cycle...</source>
        <translation>WAV を読み込む（先頭のサンプルを 1 周期として）...</translation>
    </message>
    <message>
        <source>Restore Last Session</source>
        <translation>前回のセッションを復元</translation>
    </message>
    <message>
        <source>Restore the Last Session at Start</source>
        <translation>起動時に前回のセッションを復元</translation>
    </message>
    <message>
        <source>Paste As</source>
        <translation>形式を指定して貼り付け</translation>
    </message>
    <message>
        <source>Copy As</source>
        <translation>形式を指定してコピー</translation>
    </message>
    <message>
        <source>Copy for the Target</source>
        <translation>ターゲットの形式でコピー</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>ターゲット</translation>
    </message>
    <message>
        <source>Low-Latency Preview</source>
        <translation>低遅延プレビュー</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>Could not write “%1”: %2</source>
        <translation>「%1」に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>The file “%1” is too large: %2 bytes, at most %3 are read.</source>
        <translation>ファイル「%1」が大きすぎます: %2 バイトあり、読めるのは %3 バイトまでです。</translation>
    </message>
    <message>
        <source>The file “%1” does not exist.</source>
        <translation>ファイル「%1」がありません。</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a file.</source>
        <translation>「%1」はファイルではなくフォルダーです。</translation>
    </message>
    <message>
        <source>Could not open “%1”: %2</source>
        <translation>「%1」を開けませんでした: %2</translation>
    </message>
    <message>
        <source>Could not read “%1”: %2</source>
        <translation>「%1」を読めませんでした: %2</translation>
    </message>
    <message>
        <source>There is no folder to keep the last session in.</source>
        <translation>前回のセッションを保存するフォルダーがありません。</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Waves (*.zpwave *.fuw *.ugw);;Wave documents (*.zpwave);;Furnace waves (*.fuw);;Game Boy tracker waves (*.ugw);;All files (*)</source>
        <translation>波形 (*.zpwave *.fuw *.ugw);;波形ドキュメント (*.zpwave);;Furnace の波形 (*.fuw);;ゲームボーイ用トラッカーの波形 (*.ugw);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>wave</source>
        <translation>wave</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>Wave documents (*.zpwave);;Furnace waves, the wave only: no mode or harmonics (*.fuw);;Game Boy tracker waves, the wave only: 32 samples of 4 bits (*.ugw)</source>
        <translation>波形ドキュメント (*.zpwave);;Furnace の波形、波形のみ（モードと倍音なし） (*.fuw);;ゲームボーイ用トラッカーの波形、波形のみ（4 ビット 32 サンプル） (*.ugw)</translation>
    </message>
    <message>
        <source>Export Sound</source>
        <translation>音を書き出す</translation>
    </message>
    <message>
        <source>Seconds of sound:</source>
        <translation>音の長さ（秒）:</translation>
    </message>
    <message>
        <source>sound</source>
        <translation>sound</translation>
    </message>
    <message>
        <source>WAV sound (*.wav)</source>
        <translation>WAV 音声 (*.wav)</translation>
    </message>
    <message>
        <source>cycle</source>
        <translation>cycle</translation>
    </message>
    <message>
        <source>Export Single Cycle</source>
        <translation>1 周期を書き出す</translation>
    </message>
    <message>
        <source>WAV sound, one cycle (*.wav)</source>
        <translation>WAV 音声、1 周期 (*.wav)</translation>
    </message>
    <message>
        <source>Import WAV</source>
        <translation>WAV を読み込む</translation>
    </message>
    <message>
        <source>Samples of the file that make one cycle:</source>
        <translation>1 周期になるファイルのサンプル数:</translation>
    </message>
    <message>
        <source>Sound files (*.wav *.flac *.ogg *.aif *.aiff);;All files (*)</source>
        <translation>音声ファイル (*.wav *.flac *.ogg *.aif *.aiff);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>“%1” was not opened.
%2</source>
        <translation>「%1」は開きませんでした。
%2</translation>
    </message>
    <message>
        <source>“%1” was not saved.
%2</source>
        <translation>「%1」は保存しませんでした。
%2</translation>
    </message>
    <message>
        <source>A sound of %1 seconds cannot be exported; choose 0.1 to 600 seconds.</source>
        <translation>%1 秒の音は書き出せません。0.1 から 600 秒を選んでください。</translation>
    </message>
    <message>
        <source>There is no sound to export.</source>
        <translation>書き出す音がありません。</translation>
    </message>
    <message>
        <source>“%1” was not exported.
%2</source>
        <translation>「%1」は書き出しませんでした。
%2</translation>
    </message>
    <message>
        <source>“%1” was not imported.
%2</source>
        <translation>「%1」は読み込みませんでした。
%2</translation>
    </message>
    <message>
        <source>“%1” is no longer there; it was removed from the recent files.</source>
        <translation>「%1」はもうありません。最近使ったファイルから外しました。</translation>
    </message>
    <message>
        <source>There is no last session yet.</source>
        <translation>前回のセッションはまだありません。</translation>
    </message>
    <message>
        <source>The last session could not be restored.
%1</source>
        <translation>前回のセッションを復元できませんでした。
%1</translation>
    </message>
    <message>
        <source>Restore Last Session</source>
        <translation>前回のセッションを復元</translation>
    </message>
</context>
<context>
    <name>InterchangeCommands</name>
    <message>
        <source>The harmonics view copies and pastes its attenuations; wave formats apply to the wave view</source>
        <translation>倍音表示では減衰値をコピー・貼り付けします。波形の形式は波形表示で使えます</translation>
    </message>
    <message>
        <source>Choose a target first; Copy puts the editor's own text</source>
        <translation>先にターゲットを選んでください。コピーはこのエディタ自身の形式です</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Read as %1: %2 values, resampled to %3 samples.</source>
        <translation>%1 として読み込みました: %2 個の値を %3 サンプルに変換しました。</translation>
    </message>
    <message>
        <source>Read as %1: %2 samples.</source>
        <translation>%1 として読み込みました: %2 サンプル。</translation>
    </message>
    <message>
        <source>Fitted to the %1: %2 samples.</source>
        <translation>%1 に合わせました: %2 サンプル。</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Hold</translation>
    </message>
    <message>
        <source>Poly</source>
        <translation>Poly</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>長さ</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)	Alt+F4</source>
        <translation>閉じる(&amp;C)	Alt+F4</translation>
    </message>
    <message>
        <source>Kestrom のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>Kestrom のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Harmonics</source>
        <translation>Harmonics</translation>
    </message>
    <message>
        <source>Wave editor</source>
        <translation>波形エディタ</translation>
    </message>
    <message>
        <source>Wave length</source>
        <translation>波形の長さ</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>音程</translation>
    </message>
    <message>
        <source>Pointer position</source>
        <translation>ポインタの位置</translation>
    </message>
    <message>
        <source>The %1 plays waves of %2 samples. Choose the target None in the pane menu for other lengths.</source>
        <translation>%1 が再生できる波形は %2 サンプルです。ほかの長さにするには、メニューのターゲットで「なし」を選んでください。</translation>
    </message>
</context>
<context>
    <name>QtUiServices</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>%1 への変更を保存しますか?</translation>
    </message>
</context>
<context>
    <name>SoundCommands</name>
    <message>
        <source>No sound output was found, so nothing can be heard. Check that a sound card is connected and a sound server (PulseAudio or PipeWire) is running, then press Play again.</source>
        <translation>音声出力が見つからないため、音が出ません。サウンドカードが接続され、サウンドサーバー（PulseAudio または PipeWire）が動いていることを確かめてから、もう一度 Play を押してください。</translation>
    </message>
    <message>
        <source>The sound output does not take 16-bit mono sound at 44100 Hz. Check the settings of the default output device.</source>
        <translation>音声出力が 16 ビット・モノラル・44100 Hz の音を受け付けません。既定の出力デバイスの設定を確かめてください。</translation>
    </message>
    <message>
        <source>The sound output could not be opened. Check that the sound server is running and that no other program holds the device.</source>
        <translation>音声出力を開けませんでした。サウンドサーバーが動いていること、ほかのプログラムがデバイスを使っていないことを確かめてください。</translation>
    </message>
    <message>
        <source>The sound output went away while playing. Check the sound server, then press Play again.</source>
        <translation>再生中に音声出力がなくなりました。サウンドサーバーを確かめてから、もう一度 Play を押してください。</translation>
    </message>
    <message>
        <source>The sound server could not keep up with the low-latency preview, so the sound now runs a little further ahead. Edits are heard slightly later until the preview is switched off and on again.</source>
        <translation>サウンドサーバーが低遅延プレビューに追いつけなかったため、少し先まで音を用意するようにしました。プレビューを一度切って入れ直すまで、編集が聞こえるのが少し遅れます。</translation>
    </message>
</context>
<context>
    <name>WavExport</name>
    <message>
        <source>Could not encode the sound: %1</source>
        <translation>音声を書き出せませんでした: %1</translation>
    </message>
    <message>
        <source>A WAV file cannot have the sample rate %1.</source>
        <translation>WAV ファイルのサンプリングレートを %1 にはできません。</translation>
    </message>
</context>
<context>
    <name>WavImport</name>
    <message>
        <source>A wave cannot have %1 samples.</source>
        <translation>波形を %1 サンプルにはできません。</translation>
    </message>
    <message>
        <source>The file “%1” does not exist.</source>
        <translation>ファイル「%1」がありません。</translation>
    </message>
    <message>
        <source>Could not open “%1”: %2</source>
        <translation>「%1」を開けませんでした: %2</translation>
    </message>
    <message>
        <source>“%1” is not a sound file that can be read: %2</source>
        <translation>「%1」は読み込める音声ファイルではありません: %2</translation>
    </message>
    <message>
        <source>The samples of “%1” are stored in a way that cannot be read; use 8, 16, 24 or 32-bit integer or floating-point samples.</source>
        <translation>「%1」のサンプルは読めない形式で保存されています。8・16・24・32 ビットの整数か浮動小数点のサンプルにしてください。</translation>
    </message>
    <message>
        <source>“%1” holds no sound.</source>
        <translation>「%1」には音がありません。</translation>
    </message>
    <message>
        <source>“%1” has only %2 frames, fewer than the %3 of one cycle.</source>
        <translation>「%1」には %2 フレームしかなく、1 周期の %3 フレームに足りません。</translation>
    </message>
    <message>
        <source>“%1” is too long for one cycle: %2 frames, at most %3.</source>
        <translation>「%1」は 1 周期として長すぎます: %2 フレームあり、最大 %3 フレームです。</translation>
    </message>
    <message>
        <source>Could not read the sound of “%1”.</source>
        <translation>「%1」の音を読めませんでした。</translation>
    </message>
    <message>
        <source>“%1” is silent; there is no cycle to take.</source>
        <translation>「%1」は無音で、取り出す周期がありません。</translation>
    </message>
    <message>
        <source>No repeating cycle was found in “%1”; the sound must repeat at least twice within its first %2 frames.</source>
        <translation>「%1」に繰り返す周期が見つかりませんでした。最初の %2 フレームの中で少なくとも 2 回繰り返す音が必要です。</translation>
    </message>
</context>
<context>
    <name>WaveDocument</name>
    <message>
        <source>Line %1: this is not a wave document; it must begin with the line “zpwave %2”.</source>
        <translation>%1 行目: 波形ドキュメントではありません。最初の行は「zpwave %2」でなければなりません。</translation>
    </message>
    <message>
        <source>Line %1: the document has format version %2, written by a later version of this program; this one reads up to version %3.</source>
        <translation>%1 行目: このドキュメントは新しい版のプログラムが書いた形式 %2 です。この版が読めるのは形式 %3 までです。</translation>
    </message>
    <message>
        <source>Line %1: expected “key = value”, found “%2”.</source>
        <translation>%1 行目: 「キー = 値」があるべきところに「%2」があります。</translation>
    </message>
    <message>
        <source>Line %1: “%2” is given a second time (first on line %3).</source>
        <translation>%1 行目: 「%2」が 2 度目です（最初は %3 行目）。</translation>
    </message>
    <message>
        <source>Line %1: character %2 of the wave, “%3”, is not a hexadecimal digit.</source>
        <translation>%1 行目: 波形の %2 文字目「%3」は 16 進数字ではありません。</translation>
    </message>
    <message>
        <source>Line %1: the wave has %2 hexadecimal digits; a length of %3 needs %4.</source>
        <translation>%1 行目: 波形の 16 進数字は %2 個です。長さ %3 には %4 個必要です。</translation>
    </message>
    <message>
        <source>Line %1: harmonic %2, “%3”, is not a whole number from 0 to 255.</source>
        <translation>%1 行目: 倍音 %2 の「%3」は 0 から 255 の整数ではありません。</translation>
    </message>
    <message>
        <source>Line %1: there are %2 harmonics; the length is %3.</source>
        <translation>%1 行目: 倍音が %2 個ありますが、長さは %3 です。</translation>
    </message>
    <message>
        <source>Line %1: “%2” holds a backslash that is neither “\\” nor “\x” with two hexadecimal digits.</source>
        <translation>%1 行目: 「%2」のバックスラッシュは「\\」でも、16 進数字 2 桁の付いた「\x」でもありません。</translation>
    </message>
    <message>
        <source>Line %1: the length must be 2, 4, 8, 16, 32 or 64, not “%2”.</source>
        <translation>%1 行目: 長さは 2・4・8・16・32・64 のどれかです。「%2」は使えません。</translation>
    </message>
    <message>
        <source>Line %1: the mode must be “hold” or “poly”, not “%2”.</source>
        <translation>%1 行目: モードは「hold」か「poly」です。「%2」は使えません。</translation>
    </message>
    <message>
        <source>Line %1: the view must be “wave” or “harmonics”, not “%2”.</source>
        <translation>%1 行目: 表示は「wave」か「harmonics」です。「%2」は使えません。</translation>
    </message>
    <message>
        <source>Line %1: the note must be a whole number from 0 to %2, not “%3”.</source>
        <translation>%1 行目: ノートは 0 から %2 の整数です。「%3」は使えません。</translation>
    </message>
    <message>
        <source>Line %1: the document ends without “%2 = …”.</source>
        <translation>%1 行目: ドキュメントに「%2 = …」がないまま終わっています。</translation>
    </message>
</context>
<context>
    <name>WaveEditor</name>
    <message>
        <source>harmonic %1 of %2: %3</source>
        <translation>倍音 %1 / %2: %3</translation>
    </message>
    <message>
        <source>sample %1 of %2: %3</source>
        <translation>サンプル %1 / %2: %3</translation>
    </message>
    <message>
        <source>Edit value</source>
        <translation>値の編集</translation>
    </message>
</context>
<context>
    <name>WaveFile</name>
    <message>
        <source>The Furnace wave file is cut short.</source>
        <translation>Furnace の波形ファイルが途中で切れています。</translation>
    </message>
    <message>
        <source>This is no Furnace wave file.</source>
        <translation>Furnace の波形ファイルではありません。</translation>
    </message>
    <message>
        <source>The Furnace file holds no wave.</source>
        <translation>Furnace のファイルに波形がありません。</translation>
    </message>
    <message>
        <source>The Furnace wave has length %1, min %2 and max %3; this editor reads lengths 1 to 256, min 0 and max 1 to 255.</source>
        <translation>Furnace の波形は長さ %1・最小 %2・最大 %3 です。このエディタが読めるのは長さ 1〜256、最小 0、最大 1〜255 です。</translation>
    </message>
    <message>
        <source>Value %1 (%2) is out of range; the wave takes 0 to %3.</source>
        <translation>%1 番目の値 (%2) が範囲外です。波形の値は 0 から %3 です。</translation>
    </message>
    <message>
        <source>A Game Boy wave file has 32 bytes; this one has %1.</source>
        <translation>ゲームボーイの波形ファイルは 32 バイトですが、このファイルは %1 バイトです。</translation>
    </message>
</context>
<context>
    <name>WaveFormat</name>
    <message>
        <source>This editor (hex)</source>
        <translation>このエディタ（16 進）</translation>
    </message>
    <message>
        <source>Furnace (decimal)</source>
        <translation>Furnace（10 進）</translation>
    </message>
    <message>
        <source>Furnace (signed decimal)</source>
        <translation>Furnace（符号付き 10 進）</translation>
    </message>
    <message>
        <source>Furnace (hex)</source>
        <translation>Furnace（16 進）</translation>
    </message>
    <message>
        <source>FamiTracker (FDS wave)</source>
        <translation>FamiTracker（FDS 波形）</translation>
    </message>
    <message>
        <source>FamiTracker (N163 wave)</source>
        <translation>FamiTracker（N163 波形）</translation>
    </message>
    <message>
        <source>Game Boy trackers (hUGETracker, GB Studio)</source>
        <translation>ゲームボーイ用トラッカー（hUGETracker・GB Studio）</translation>
    </message>
    <message>
        <source>WaveTracker</source>
        <translation>WaveTracker</translation>
    </message>
</context>
<context>
    <name>WaveText</name>
    <message>
        <source>クリップボードの文字列の長さが異常です。</source>
        <translation>クリップボードの文字列の長さが異常です。</translation>
    </message>
    <message>
        <source>数値以外の文字が含まれています。</source>
        <translation>数値以外の文字が含まれています。</translation>
    </message>
    <message>
        <source>The text holds no wave values.</source>
        <translation>文字列に波形の値がありません。</translation>
    </message>
    <message>
        <source>Value %1 ("%2") is not a number; %3 takes %4 to %5.</source>
        <translation>%1 番目の値（"%2"）は数値ではありません。%3 の値は %4 から %5 です。</translation>
    </message>
    <message>
        <source>Value %1 (%2) is out of range; %3 takes %4 to %5.</source>
        <translation>%1 番目の値（%2）が範囲外です。%3 の値は %4 から %5 です。</translation>
    </message>
    <message>
        <source>The list after "{" has no closing "}".</source>
        <translation>"{" のあとのリストに閉じる "}" がありません。</translation>
    </message>
    <message>
        <source>Unexpected text after the closing "}": "%1".</source>
        <translation>閉じる "}" のあとに余分な文字列があります: "%1"。</translation>
    </message>
    <message>
        <source>Value %1 is missing between two commas.</source>
        <translation>%1 番目の値がコンマとコンマの間にありません。</translation>
    </message>
    <message>
        <source>%1 takes exactly %2 values; the text has %3.</source>
        <translation>%1 の値はちょうど %2 個ですが、文字列には %3 個あります。</translation>
    </message>
    <message>
        <source>%1 takes a multiple of 4 values, from 4 to 240; the text has %2.</source>
        <translation>%1 の値は 4 から 240 までの 4 の倍数個ですが、文字列には %2 個あります。</translation>
    </message>
    <message>
        <source>%1 takes at most %2 values; the text has %3.</source>
        <translation>%1 の値は最大 %2 個ですが、文字列には %3 個あります。</translation>
    </message>
    <message>
        <source>The text holds %1 waves; take one wave at a time.</source>
        <translation>文字列に %1 個の波形があります。波形は 1 つずつ貼り付けてください。</translation>
    </message>
</context>
</TS>