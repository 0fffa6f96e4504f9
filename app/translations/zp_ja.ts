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
        <source>Morph</source>
        <translation>モーフィング</translation>
    </message>
    <message>
        <source>Paste Bank</source>
        <translation>バンクの貼り付け</translation>
    </message>
    <message>
        <source>Choose Wave</source>
        <translation>波形の選択</translation>
    </message>
    <message>
        <source>Add Wave</source>
        <translation>波形の追加</translation>
    </message>
    <message>
        <source>Delete Wave</source>
        <translation>波形の削除</translation>
    </message>
    <message>
        <source>Move Wave</source>
        <translation>波形の移動</translation>
    </message>
    <message>
        <source>Clear Bank</source>
        <translation>バンクのクリア</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>ターゲット</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>描画</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
</context>
<context>
    <name>EditorCommands</name>
    <message>
        <source>Wave Bank…</source>
        <translation>波形バンク…</translation>
    </message>
    <message>
        <source>Copy Bank</source>
        <translation>バンクをコピー</translation>
    </message>
    <message>
        <source>Paste Bank</source>
        <translation>バンクを貼り付け</translation>
    </message>
    <message>
        <source>Export Instrument</source>
        <translation>インストゥルメントを書き出す</translation>
    </message>
    <message>
        <source>Namco 163 (.fti)…</source>
        <translation>Namco 163 (.fti)…</translation>
    </message>
    <message>
        <source>FDS (.fti)…</source>
        <translation>FDS (.fti)…</translation>
    </message>
    <message>
        <source>Import Instrument…</source>
        <translation>インストゥルメントを読み込む…</translation>
    </message>
    <message>
        <source>Export Bank as Files…</source>
        <translation>バンクをファイルに書き出し…</translation>
    </message>
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
    <message>
        <source>MIDI Input</source>
        <translation>MIDI 入力</translation>
    </message>
    <message>
        <source>Play Notes from the Keyboard</source>
        <translation>キーボードで音符を演奏</translation>
    </message>
    <message>
        <source>Note Keys Octave Down</source>
        <translation>音符キーのオクターブを下げる</translation>
    </message>
    <message>
        <source>Note Keys Octave Up</source>
        <translation>音符キーのオクターブを上げる</translation>
    </message>
    <message>
        <source>Furnace at Height</source>
        <translation>高さを指定して Furnace</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Play Sequence</source>
        <translation>シーケンスを再生</translation>
    </message>
    <message>
        <source>Sequence Rate</source>
        <translation>シーケンスの速さ</translation>
    </message>
    <message>
        <source>60 Hz (NTSC)</source>
        <translation>60 Hz (NTSC)</translation>
    </message>
    <message>
        <source>50 Hz (PAL)</source>
        <translation>50 Hz (PAL)</translation>
    </message>
    <message>
        <source>Other Rate…</source>
        <translation>その他の速さ…</translation>
    </message>
    <message>
        <source>Morph…</source>
        <translation>モーフィング…</translation>
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
    <message>
        <source>“%1” is a named pipe, not a regular file.</source>
        <translation>「%1」は名前付きパイプで、通常のファイルではありません。</translation>
    </message>
    <message>
        <source>“%1” is a device, not a regular file.</source>
        <translation>「%1」はデバイスで、通常のファイルではありません。</translation>
    </message>
    <message>
        <source>“%1” is not a regular file.</source>
        <translation>「%1」は通常のファイルではありません。</translation>
    </message>
    <message>
        <source>The last session “%1” was written by a later version of this program (format version %2) and could not be kept aside; it is left as it is.</source>
        <translation>前回のセッション「%1」はこのプログラムの新しいバージョンで書かれたもの（形式バージョン %2）で、別名で保管できませんでした。そのまま残してあります。</translation>
    </message>
    <message>
        <source>The last session was written by a later version of this program (format version %1); it is kept as “%2”, and this version starts afresh.</source>
        <translation>前回のセッションはこのプログラムの新しいバージョンで書かれたもの（形式バージョン %1）です。「%2」として保管し、このバージョンは新しい状態で始めます。</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
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
        <source>Wave documents (*.zpwave);;Furnace waves, the wave only: no mode or harmonics (*.fuw);;DefleMask waves, the wave only: at most 64 levels (*.dmw);;Game Boy tracker waves, the wave only: 32 samples of 4 bits (*.ugw)</source>
        <translation>波形ドキュメント (*.zpwave);;Furnace の波形、波形のみ（モードと倍音なし） (*.fuw);;DefleMask の波形、波形のみ（最大 64 段階） (*.dmw);;ゲームボーイ用トラッカーの波形、波形のみ（4 ビット 32 サンプル） (*.ugw)</translation>
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
    <message>
        <source>Waves (*.zpwave *.fuw *.dmw *.ugw);;Wave documents (*.zpwave);;Furnace waves (*.fuw);;DefleMask waves (*.dmw);;Game Boy tracker waves (*.ugw);;All files (*)</source>
        <translation>波形 (*.zpwave *.fuw *.dmw *.ugw);;波形ドキュメント (*.zpwave);;Furnace の波形 (*.fuw);;DefleMask の波形 (*.dmw);;ゲームボーイ用トラッカーの波形 (*.ugw);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>“%1” was not saved: this editor reads .%2 files but does not write them.</source>
        <translation>“%1” は保存されませんでした。このエディタは .%2 ファイルを読めますが、書き出せません。</translation>
    </message>
    <message>
        <source>%1 samples of “%2” were not numbers (NaN or infinity); they were taken as silence.</source>
        <translation>「%2」の %1 個のサンプルが数値ではなかった（NaN または無限大）ため、無音として読み込みました。</translation>
    </message>
    <message>
        <source>%1 levels</source>
        <translation>%1 段階</translation>
    </message>
    <message>
        <source>“%1” holds %2 samples of %3 levels; saving over it writes %4 samples of %5 levels. Overwrite it, or save the wave as another file?</source>
        <translation>「%1」は %3 段階のサンプルを %2 個保持しています。上書きすると %5 段階のサンプル %4 個が書き込まれます。上書きしますか、それとも別のファイルとして保存しますか?</translation>
    </message>
</context>
<context>
    <name>FtiInstrument</name>
    <message>
        <source>The instrument file is cut short at byte %1.</source>
        <translation>インストゥルメントファイルがバイト %1 で途切れています。</translation>
    </message>
    <message>
        <source>Sequence slot %1 loops to item %2 but has %3 items.</source>
        <translation>シーケンス枠 %1 はアイテム %2 へループしますが、アイテムは %3 個しかありません。</translation>
    </message>
    <message>
        <source>Sequence slot %1 releases at item %2 but has %3 items.</source>
        <translation>シーケンス枠 %1 はアイテム %2 でリリースしますが、アイテムは %3 個しかありません。</translation>
    </message>
    <message>
        <source>Sequence slot %1 has %2 items; the tracker plays at most 252.</source>
        <translation>シーケンス枠 %1 のアイテムは %2 個です。トラッカーが再生できるのは 252 個までです。</translation>
    </message>
    <message>
        <source>The instrument has %1 sequence slots; a Namco 163 instrument has at most 5.</source>
        <translation>インストゥルメントのシーケンス枠は %1 個です。Namco 163 のインストゥルメントは 5 個までです。</translation>
    </message>
    <message>
        <source>The wave size is %1; the Namco 163 takes 4 to 240 samples.</source>
        <translation>波形の長さが %1 です。Namco 163 は 4～240 サンプルです。</translation>
    </message>
    <message>
        <source>The wave position is %1; the Namco 163 takes 0 to 239.</source>
        <translation>波形の位置が %1 です。Namco 163 は 0～239 です。</translation>
    </message>
    <message>
        <source>The instrument holds %1 waves; a Namco 163 instrument holds 1 to 64.</source>
        <translation>インストゥルメントの波形は %1 個です。Namco 163 のインストゥルメントは 1～64 個です。</translation>
    </message>
    <message>
        <source>Sample %1 of wave %2 is %3; a Namco 163 sample is 0 to 15.</source>
        <translation>波形 %2 のサンプル %1 が %3 です。Namco 163 のサンプルは 0～15 です。</translation>
    </message>
    <message>
        <source>This is no tracker instrument file: it does not begin with "FTI".</source>
        <translation>トラッカーのインストゥルメントファイルではありません。「FTI」で始まっていません。</translation>
    </message>
    <message>
        <source>The instrument's version is not a digit, a point and a digit.</source>
        <translation>インストゥルメントのバージョンが「数字・ピリオド・数字」の形ではありません。</translation>
    </message>
    <message>
        <source>The instrument is of version %1; the tracker reads versions up to 2.5.</source>
        <translation>インストゥルメントのバージョンは %1 です。トラッカーが読めるのは 2.5 までです。</translation>
    </message>
    <message>
        <source>This is a %1 instrument; only Namco 163 and FDS instruments hold waves.</source>
        <translation>%1 のインストゥルメントです。波形を持つのは Namco 163 と FDS のインストゥルメントだけです。</translation>
    </message>
    <message>
        <source>The instrument type %1 is unknown.</source>
        <translation>インストゥルメントの種類 %1 は不明です。</translation>
    </message>
    <message>
        <source>The instrument name is %1 bytes long; at most 127 fit.</source>
        <translation>インストゥルメント名が %1 バイトあります。入るのは 127 バイトまでです。</translation>
    </message>
    <message>
        <source>The instrument name holds a character the tracker cannot show; use letters, digits and punctuation of plain ASCII.</source>
        <translation>インストゥルメント名にトラッカーが表示できない文字があります。ASCII の英字・数字・記号を使ってください。</translation>
    </message>
    <message>
        <source>The bank holds no wave; an instrument needs at least one.</source>
        <translation>バンクに波形がありません。インストゥルメントには 1 つ以上必要です。</translation>
    </message>
    <message>
        <source>The bank has %1 waves; a Namco 163 instrument holds at most 64. Delete %2 waves or export the bank in parts.</source>
        <translation>バンクの波形は %1 個です。Namco 163 のインストゥルメントは 64 個までです。波形を %2 個削除するか、バンクを分けて書き出してください。</translation>
    </message>
    <message>
        <source>Wave %1 has %2 samples and wave 1 has %3; a Namco 163 instrument holds waves of one length. Bring every wave to one length.</source>
        <translation>波形 %1 は %2 サンプル、波形 1 は %3 サンプルです。Namco 163 のインストゥルメントの波形はすべて同じ長さです。すべての波形を同じ長さにしてください。</translation>
    </message>
    <message>
        <source>The Namco 163 cannot play waves of %1 samples: it plays 4 to 240 samples in steps of 4. Change the length to %2.</source>
        <translation>Namco 163 は %1 サンプルの波形を再生できません。再生できるのは 4～240 サンプル（4 刻み）です。長さを %2 に変えてください。</translation>
    </message>
    <message>
        <source>The FDS plays waves of 64 samples; this wave has %1. Change its length to 64.</source>
        <translation>FDS が再生する波形は 64 サンプルです。この波形は %1 サンプルです。長さを 64 に変えてください。</translation>
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
    <message>
        <source>%1 Levels</source>
        <translation>%1 段階</translation>
    </message>
    <message>
        <source>%1 at %2 levels</source>
        <translation>%1（%2 段階）</translation>
    </message>
    <message>
        <source>The %1 has its own height: %2 levels.</source>
        <translation>%1 には固有の高さがあります: %2 段階。</translation>
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
    <message>
        <source>Overwrite</source>
        <translation>上書き</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>名前を付けて保存...</translation>
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
        <source>“%1” is silent in its first %2 seconds; there is no cycle to take.</source>
        <translation>「%1」は最初の %2 秒間が無音で、取り出す周期がありません。</translation>
    </message>
    <message>
        <source>No repeating cycle was found in “%1”; the sound must repeat at least twice within its first %2 frames.</source>
        <translation>「%1」に繰り返す周期が見つかりませんでした。最初の %2 フレームの中で少なくとも 2 回繰り返す音が必要です。</translation>
    </message>
</context>
<context>
    <name>WaveBank</name>
    <message>
        <source>The text holds more than %1 waves; a bank holds at most %1.</source>
        <translation>文字列の波形が %1 個を超えています。バンクに入るのは %1 個までです。</translation>
    </message>
    <message>
        <source>The text holds no wave.</source>
        <translation>文字列に波形がありません。</translation>
    </message>
</context>
<context>
    <name>WaveDocument</name>
    <message>
        <source>Line %1: “%2” must be a whole number from 1 to %3, not “%4”.</source>
        <translation>%1 行目: “%2” は 1 から %3 の整数です。「%4」は使えません。</translation>
    </message>
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
    <message>
        <source>Line %1: the height must be 16, 32, 64 or 256, not “%2”.</source>
        <translation>%1 行目: 高さは 16・32・64・256 のいずれかです。“%2” ではありません。</translation>
    </message>
    <message>
        <source>Line %1: a wave for the target “%2” has height %3, not %4.</source>
        <translation>%1 行目: ターゲット “%2” の波形の高さは %3 です。%4 ではありません。</translation>
    </message>
    <message>
        <source>Line %1: there is text after “end”.</source>
        <translation>%1 行目: 「end」の後にテキストがあります。</translation>
    </message>
    <message>
        <source>Line %1: the document ends without its last line “end”; it may have been cut off.</source>
        <translation>%1 行目: 文書が最後の行「end」なしで終わっています。途中で切れている可能性があります。</translation>
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
        <source>This is no Furnace wave file.</source>
        <translation>Furnace の波形ファイルではありません。</translation>
    </message>
    <message>
        <source>The Furnace file holds no wave.</source>
        <translation>Furnace のファイルに波形がありません。</translation>
    </message>
    <message>
        <source>A Game Boy wave file has 32 bytes; this one has %1.</source>
        <translation>ゲームボーイの波形ファイルは 32 バイトですが、このファイルは %1 バイトです。</translation>
    </message>
    <message>
        <source>The file holds %1 samples; the wave was resampled to %2 samples, so saving it back changes the file.</source>
        <translation>ファイルのサンプル数は %1 です。波形は %2 サンプルにリサンプリングされたので、そのまま保存するとファイルが変わります。</translation>
    </message>
    <message>
        <source>A .%1 file holds %2 samples of %3 levels: the wave was resampled from %4 to %2 samples and reduced to %3 levels.</source>
        <translation>.%1 ファイルは %3 段階の %2 サンプルを保持します。波形は %4 から %2 サンプルにリサンプリングされ、%3 段階に減らされました。</translation>
    </message>
    <message>
        <source>A .%1 file holds %2 samples: the wave was resampled from %3 to %2.</source>
        <translation>.%1 ファイルは %2 サンプルを保持します。波形は %3 から %2 サンプルにリサンプリングされました。</translation>
    </message>
    <message>
        <source>The .%1 file holds %2 levels: the wave was reduced to %2 levels.</source>
        <translation>.%1 ファイルは %2 段階を保持します。波形は %2 段階に減らされました。</translation>
    </message>
    <message>
        <source>The %1 wave file is cut short.</source>
        <translation>%1 の波形ファイルが途中で切れています。</translation>
    </message>
    <message>
        <source>Value %1 (%2) is out of range; the wave takes %3 to %4.</source>
        <translation>%1 番目の値 (%2) が範囲外です。波形の値は %3 から %4 です。</translation>
    </message>
    <message>
        <source>The Furnace wave has length %1, min %2 and max %3; this editor reads lengths 1 to 256 and at most 256 levels from min to max.</source>
        <translation>Furnace の波形は長さ %1・最小 %2・最大 %3 です。このエディタが読めるのは長さ 1〜256、最小から最大まで 256 段階以内です。</translation>
    </message>
    <message>
        <source>The DefleMask wave has length %1; this editor reads lengths 1 to 256.</source>
        <translation>DefleMask の波形の長さは %1 です。このエディタが読めるのは長さ 1〜256 です。</translation>
    </message>
    <message>
        <source>This is no DefleMask wave file: %1 values need %2 bytes; it has %3.</source>
        <translation>DefleMask の波形ファイルではありません。%1 個の値には %2 バイトが必要ですが、%3 バイトあります。</translation>
    </message>
    <message>
        <source>The Game Boy wave file has %1 bytes; the first 32 were read, as the trackers read it.</source>
        <translation>ゲームボーイの波形ファイルは %1 バイトです。トラッカーと同じく先頭の 32 バイトを読みました。</translation>
    </message>
    <message>
        <source>This editor reads .%1 files but does not write them.</source>
        <translation>このエディタは .%1 ファイルを読み込めますが、書き出すことはできません。</translation>
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
<context>
    <name>MidiCommands</name>
    <message>
        <source>ALSA Sequencer</source>
        <translation>ALSA シーケンサー</translation>
    </message>
    <message>
        <source>JACK</source>
        <translation>JACK</translation>
    </message>
    <message>
        <source>Looking for MIDI inputs...</source>
        <translation>MIDI 入力を探しています...</translation>
    </message>
    <message>
        <source>No MIDI: this system has no ALSA sequencer (/dev/snd/seq)</source>
        <translation>MIDI なし: このシステムには ALSA シーケンサーがありません (/dev/snd/seq)</translation>
    </message>
    <message>
        <source>No MIDI: no JACK server is running</source>
        <translation>MIDI なし: JACK サーバーが動いていません</translation>
    </message>
    <message>
        <source>No MIDI: the MIDI system refused the input port (%1)</source>
        <translation>MIDI なし: MIDI システムが入力ポートを受け付けませんでした (%1)</translation>
    </message>
    <message>
        <source>Other programs connect to %1</source>
        <translation>ほかのプログラムからの接続先: %1</translation>
    </message>
    <message>
        <source>No other MIDI inputs found</source>
        <translation>ほかの MIDI 入力は見つかりません</translation>
    </message>
</context>
<context>
    <name>NoteKeyCommands</name>
    <message>
        <source>Note keys o%1</source>
        <translation>音符キー o%1</translation>
    </message>
</context>
<context>
    <name>BankWindow</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>左へ移動</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>右へ移動</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Copy Bank</source>
        <translation>バンクをコピー</translation>
    </message>
    <message>
        <source>Paste Bank</source>
        <translation>バンクを貼り付け</translation>
    </message>
    <message>
        <source>wave %1 of %2</source>
        <translation>波形 %1 / %2</translation>
    </message>
    <message>
        <source>Wave Bank</source>
        <translation>波形バンク</translation>
    </message>
    <message>
        <source>Waves of the bank</source>
        <translation>バンクの波形</translation>
    </message>
    <message>
        <source>Play Sequence</source>
        <translation>シーケンスを再生</translation>
    </message>
    <message>
        <source>Morph…</source>
        <translation>モーフィング…</translation>
    </message>
</context>
<context>
    <name>BankCommands</name>
    <message>
        <source>Line %1 of the clipboard is no wave; nothing was pasted.
%2</source>
        <translation>クリップボードの %1 行目は波形ではありません。何も貼り付けていません。
%2</translation>
    </message>
    <message>
        <source>The clipboard holds no bank.
%1</source>
        <translation>クリップボードにバンクがありません。
%1</translation>
    </message>
    <message>
        <source>Sequence Rate</source>
        <translation>シーケンスの速さ</translation>
    </message>
    <message>
        <source>Waves a second (1 to 1000 Hz):</source>
        <translation>1 秒あたりの波形数 (1〜1000 Hz):</translation>
    </message>
</context>
<context>
    <name>BankFileCommands</name>
    <message>
        <source>wave</source>
        <translation>wave</translation>
    </message>
    <message>
        <source>Export Bank as Files</source>
        <translation>バンクをファイルに書き出し</translation>
    </message>
    <message>
        <source>Furnace waves, one file per wave (*.fuw);;DefleMask waves, one file per wave (*.dmw);;Game Boy tracker waves, one file per wave: 32 samples of 4 bits (*.ugw)</source>
        <translation>Furnace の波形、1 波形 1 ファイル (*.fuw);;DefleMask の波形、1 波形 1 ファイル (*.dmw);;ゲームボーイ用トラッカーの波形、1 波形 1 ファイル（4 ビット 32 サンプル） (*.ugw)</translation>
    </message>
    <message>
        <source>“%1” names no wave file type; choose a name ending in .fuw, .dmw or .ugw.</source>
        <translation>「%1」は波形ファイルの種類を示していません。.fuw、.dmw または .ugw で終わる名前を選んでください。</translation>
    </message>
    <message>
        <source>%1 of the %2 files to write are already in “%3”: %4.
Overwrite them?</source>
        <translation>書き出す %2 個のファイルのうち %1 個が「%3」にすでにあります: %4。
上書きしますか?</translation>
    </message>
    <message>
        <source>No file was written.</source>
        <translation>ファイルは書き出していません。</translation>
    </message>
    <message>
        <source>Written before it, in “%1”: %2.</source>
        <translation>それまでに「%1」に書き出したファイル: %2。</translation>
    </message>
    <message>
        <source>The export stopped at wave %1 of %2.
%3
%4</source>
        <translation>%2 個中 %1 番目の波形で書き出しを中止しました。
%3
%4</translation>
    </message>
    <message>
        <source>“%1” was written.%2</source>
        <translation>「%1」を書き出しました。%2</translation>
    </message>
    <message>
        <source>%1 files were written to “%2”: %3.%4</source>
        <translation>%1 個のファイルを「%2」に書き出しました: %3。%4</translation>
    </message>
    <message>
        <source>Wave %1: %2</source>
        <translation>波形 %1: %2</translation>
    </message>
    <message>
        <source>Waves %1: %2</source>
        <translation>波形 %1: %2</translation>
    </message>
</context>
<context>
    <name>MorphDialog</name>
    <message>
        <source>Morph</source>
        <translation>モーフィング</translation>
    </message>
    <message>
        <source>Linear (sample by sample)</source>
        <translation>直線 (サンプルごと)</translation>
    </message>
    <message>
        <source>Spectral (by the harmonics)</source>
        <translation>スペクトル (倍音ごと)</translation>
    </message>
    <message>
        <source>Waves the morph gives</source>
        <translation>モーフィングで得られる波形</translation>
    </message>
    <message>
        <source>Wave &amp;A:</source>
        <translation>波形 &amp;A:</translation>
    </message>
    <message>
        <source>Wave &amp;B:</source>
        <translation>波形 &amp;B:</translation>
    </message>
    <message>
        <source>&amp;Steps between:</source>
        <translation>間のステップ数(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>方式(&amp;K):</translation>
    </message>
    <message>
        <source>Wave A must come before wave B.</source>
        <translation>波形 A は波形 B より前にしてください。</translation>
    </message>
    <message>
        <source>The bank would hold more than %1 waves: choose fewer steps or closer key waves.</source>
        <translation>バンクの波形が %1 個を超えます。ステップ数を減らすか、近いキー波形を選んでください。</translation>
    </message>
</context>
<context>
    <name>InstrumentCommands</name>
    <message>
        <source>instrument</source>
        <translation>instrument</translation>
    </message>
    <message>
        <source>Export Namco 163 Instrument</source>
        <translation>Namco 163 インストゥルメントを書き出す</translation>
    </message>
    <message>
        <source>Export FDS Instrument</source>
        <translation>FDS インストゥルメントを書き出す</translation>
    </message>
    <message>
        <source>Tracker instruments (*.fti)</source>
        <translation>トラッカーのインストゥルメント (*.fti)</translation>
    </message>
    <message>
        <source>Import Instrument</source>
        <translation>インストゥルメントを読み込む</translation>
    </message>
    <message>
        <source>Tracker instruments (*.fti);;All files (*)</source>
        <translation>トラッカーのインストゥルメント (*.fti);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>“%1” was not exported.
%2</source>
        <translation>「%1」は書き出しませんでした。
%2</translation>
    </message>
    <message>
        <source>Samples brought to the nearest of the chip's %2 levels in the instrument: %1.</source>
        <translation>インストゥルメントでチップの %2 段階のうち最も近い値に合わせたサンプル: %1 個。</translation>
    </message>
    <message>
        <source>“%1” was not imported.
%2</source>
        <translation>「%1」は読み込みませんでした。
%2</translation>
    </message>
    <message>
        <source>The instrument's waves have %1 samples; they were resampled to %2 samples.</source>
        <translation>インストゥルメントの波形は %1 サンプルです。%2 サンプルに変換しました。</translation>
    </message>
    <message>
        <source>The waves were fitted to the target %1: its lengths and levels.</source>
        <translation>波形をターゲット %1 の長さと段階に合わせました。</translation>
    </message>
</context>
<context>
    <name>SequenceControls</name>
    <message>
        <source>60 Hz (NTSC)</source>
        <translation>60 Hz (NTSC)</translation>
    </message>
    <message>
        <source>50 Hz (PAL)</source>
        <translation>50 Hz (PAL)</translation>
    </message>
    <message>
        <source>&amp;Waves</source>
        <translation>波形(&amp;W)</translation>
    </message>
    <message>
        <source>to</source>
        <translation>〜</translation>
    </message>
    <message>
        <source>First wave of the sequence</source>
        <translation>シーケンスの最初の波形</translation>
    </message>
    <message>
        <source>Last wave of the sequence</source>
        <translation>シーケンスの最後の波形</translation>
    </message>
    <message>
        <source>R&amp;ate</source>
        <translation>速さ(&amp;A)</translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Hz</translation>
    </message>
    <message>
        <source>Sequence rate in ticks a second</source>
        <translation>シーケンスの速さ (1 秒あたりのティック数)</translation>
    </message>
    <message>
        <source>&amp;Loop</source>
        <translation>ループ(&amp;L)</translation>
    </message>
    <message>
        <source>Loop the sequence</source>
        <translation>シーケンスをループ</translation>
    </message>
    <message>
        <source>Play Sequence</source>
        <translation>シーケンスを再生</translation>
    </message>
</context>
</TS>