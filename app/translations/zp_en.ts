<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Varnelのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Varnel</translation>
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
        <translation>None</translation>
    </message>
    <message>
        <source>Game Boy</source>
        <translation>Game Boy</translation>
    </message>
    <message>
        <source>Namco 163</source>
        <translation>Namco 163</translation>
    </message>
    <message>
        <source>Famicom Disk System</source>
        <translation>Famicom Disk System</translation>
    </message>
    <message>
        <source>PC Engine</source>
        <translation>PC Engine</translation>
    </message>
    <message>
        <source>Konami SCC</source>
        <translation>Konami SCC</translation>
    </message>
    <message>
        <source>WonderSwan</source>
        <translation>WonderSwan</translation>
    </message>
</context>
<context>
    <name>EditSession</name>
    <message>
        <source>Morph</source>
        <translation>Morph</translation>
    </message>
    <message>
        <source>Paste Bank</source>
        <translation>Paste Bank</translation>
    </message>
    <message>
        <source>Choose Wave</source>
        <translation>Choose Wave</translation>
    </message>
    <message>
        <source>Add Wave</source>
        <translation>Add Wave</translation>
    </message>
    <message>
        <source>Delete Wave</source>
        <translation>Delete Wave</translation>
    </message>
    <message>
        <source>Move Wave</source>
        <translation>Move Wave</translation>
    </message>
    <message>
        <source>Clear Bank</source>
        <translation>Clear Bank</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
</context>
<context>
    <name>EditorCommands</name>
    <message>
        <source>Wave Bank…</source>
        <translation>Wave Bank…</translation>
    </message>
    <message>
        <source>Copy Bank</source>
        <translation>Copy Bank</translation>
    </message>
    <message>
        <source>Paste Bank</source>
        <translation>Paste Bank</translation>
    </message>
    <message>
        <source>Export Instrument</source>
        <translation>Export Instrument</translation>
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
        <translation>Import Instrument…</translation>
    </message>
    <message>
        <source>Export Bank as Files…</source>
        <translation>Export Bank as Files…</translation>
    </message>
    <message>
        <source>Edit with the Keyboard</source>
        <translation>Edit with the Keyboard</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>Transform</source>
        <translation>Transform</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>Sine</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Sawtooth</source>
        <translation>Sawtooth</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Pulse 25 %</source>
        <translation>Pulse 25 %</translation>
    </message>
    <message>
        <source>Pulse 12.5 %</source>
        <translation>Pulse 12.5 %</translation>
    </message>
    <message>
        <source>Noise</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Rotate Left</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rotate Right</translation>
    </message>
    <message>
        <source>Normalize</source>
        <translation>Normalize</translation>
    </message>
    <message>
        <source>Remove DC</source>
        <translation>Remove DC</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>Smooth</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>Louder</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>Quieter</translation>
    </message>
    <message>
        <source>Half Length</source>
        <translation>Half Length</translation>
    </message>
    <message>
        <source>Double Length</source>
        <translation>Double Length</translation>
    </message>
    <message>
        <source>Only in the wave view</source>
        <translation>Only in the wave view</translation>
    </message>
    <message>
        <source>The wave is already at its shortest, 2 samples</source>
        <translation>The wave is already at its shortest, 2 samples</translation>
    </message>
    <message>
        <source>The wave is already at its longest, 64 samples</source>
        <translation>The wave is already at its longest, 64 samples</translation>
    </message>
    <message>
        <source>The chip target does not play that length</source>
        <translation>The chip target does not play that length</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Open Recent</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>Export Sound...</source>
        <translation>Export Sound...</translation>
    </message>
    <message>
        <source>Export Single Cycle...</source>
        <translation>Export Single Cycle...</translation>
    </message>
    <message>
        <source>Import WAV...</source>
        <translation>Import WAV...</translation>
    </message>
    <message>
        <source>Import WAV, First Samples as One Cycle...</source>
        <translation>Import WAV, First Samples as One Cycle...</translation>
    </message>
    <message>
        <source>Restore Last Session</source>
        <translation>Restore Last Session</translation>
    </message>
    <message>
        <source>Restore the Last Session at Start</source>
        <translation>Restore the Last Session at Start</translation>
    </message>
    <message>
        <source>Paste As</source>
        <translation>Paste As</translation>
    </message>
    <message>
        <source>Copy As</source>
        <translation>Copy As</translation>
    </message>
    <message>
        <source>Copy for the Target</source>
        <translation>Copy for the Target</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Low-Latency Preview</source>
        <translation>Low-Latency Preview</translation>
    </message>
    <message>
        <source>MIDI Input</source>
        <translation>MIDI Input</translation>
    </message>
    <message>
        <source>Play Notes from the Keyboard</source>
        <translation>Play Notes from the Keyboard</translation>
    </message>
    <message>
        <source>Note Keys Octave Down</source>
        <translation>Note Keys Octave Down</translation>
    </message>
    <message>
        <source>Note Keys Octave Up</source>
        <translation>Note Keys Octave Up</translation>
    </message>
    <message>
        <source>Furnace at Height</source>
        <translation>Furnace at Height</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Play Sequence</source>
        <translation>Play Sequence</translation>
    </message>
    <message>
        <source>Sequence Rate</source>
        <translation>Sequence Rate</translation>
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
        <translation>Other Rate…</translation>
    </message>
    <message>
        <source>Morph…</source>
        <translation>Morph…</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>Could not write “%1”: %2</source>
        <translation>Could not write “%1”: %2</translation>
    </message>
    <message>
        <source>The file “%1” is too large: %2 bytes, at most %3 are read.</source>
        <translation>The file “%1” is too large: %2 bytes, at most %3 are read.</translation>
    </message>
    <message>
        <source>The file “%1” does not exist.</source>
        <translation>The file “%1” does not exist.</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a file.</source>
        <translation>“%1” is a folder, not a file.</translation>
    </message>
    <message>
        <source>Could not open “%1”: %2</source>
        <translation>Could not open “%1”: %2</translation>
    </message>
    <message>
        <source>Could not read “%1”: %2</source>
        <translation>Could not read “%1”: %2</translation>
    </message>
    <message>
        <source>There is no folder to keep the last session in.</source>
        <translation>There is no folder to keep the last session in.</translation>
    </message>
    <message>
        <source>“%1” is a named pipe, not a regular file.</source>
        <translation>“%1” is a named pipe, not a regular file.</translation>
    </message>
    <message>
        <source>“%1” is a device, not a regular file.</source>
        <translation>“%1” is a device, not a regular file.</translation>
    </message>
    <message>
        <source>“%1” is not a regular file.</source>
        <translation>“%1” is not a regular file.</translation>
    </message>
    <message>
        <source>The last session “%1” was written by a later version of this program (format version %2) and could not be kept aside; it is left as it is.</source>
        <translation>The last session “%1” was written by a later version of this program (format version %2) and could not be kept aside; it is left as it is.</translation>
    </message>
    <message>
        <source>The last session was written by a later version of this program (format version %1); it is kept as “%2”, and this version starts afresh.</source>
        <translation>The last session was written by a later version of this program (format version %1); it is kept as “%2”, and this version starts afresh.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>wave</source>
        <translation>wave</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Wave documents (*.zpwave);;Furnace waves, the wave only: no mode or harmonics (*.fuw);;DefleMask waves, the wave only: at most 64 levels (*.dmw);;Game Boy tracker waves, the wave only: 32 samples of 4 bits (*.ugw)</source>
        <translation>Wave documents (*.zpwave);;Furnace waves, the wave only: no mode or harmonics (*.fuw);;DefleMask waves, the wave only: at most 64 levels (*.dmw);;Game Boy tracker waves, the wave only: 32 samples of 4 bits (*.ugw)</translation>
    </message>
    <message>
        <source>Export Sound</source>
        <translation>Export Sound</translation>
    </message>
    <message>
        <source>Seconds of sound:</source>
        <translation>Seconds of sound:</translation>
    </message>
    <message>
        <source>sound</source>
        <translation>sound</translation>
    </message>
    <message>
        <source>WAV sound (*.wav)</source>
        <translation>WAV sound (*.wav)</translation>
    </message>
    <message>
        <source>cycle</source>
        <translation>cycle</translation>
    </message>
    <message>
        <source>Export Single Cycle</source>
        <translation>Export Single Cycle</translation>
    </message>
    <message>
        <source>WAV sound, one cycle (*.wav)</source>
        <translation>WAV sound, one cycle (*.wav)</translation>
    </message>
    <message>
        <source>Import WAV</source>
        <translation>Import WAV</translation>
    </message>
    <message>
        <source>Samples of the file that make one cycle:</source>
        <translation>Samples of the file that make one cycle:</translation>
    </message>
    <message>
        <source>Sound files (*.wav *.flac *.ogg *.aif *.aiff);;All files (*)</source>
        <translation>Sound files (*.wav *.flac *.ogg *.aif *.aiff);;All files (*)</translation>
    </message>
    <message>
        <source>“%1” was not opened.
%2</source>
        <translation>“%1” was not opened.
%2</translation>
    </message>
    <message>
        <source>“%1” was not saved.
%2</source>
        <translation>“%1” was not saved.
%2</translation>
    </message>
    <message>
        <source>A sound of %1 seconds cannot be exported; choose 0.1 to 600 seconds.</source>
        <translation>A sound of %1 seconds cannot be exported; choose 0.1 to 600 seconds.</translation>
    </message>
    <message>
        <source>There is no sound to export.</source>
        <translation>There is no sound to export.</translation>
    </message>
    <message>
        <source>“%1” was not exported.
%2</source>
        <translation>“%1” was not exported.
%2</translation>
    </message>
    <message>
        <source>“%1” was not imported.
%2</source>
        <translation>“%1” was not imported.
%2</translation>
    </message>
    <message>
        <source>“%1” is no longer there; it was removed from the recent files.</source>
        <translation>“%1” is no longer there; it was removed from the recent files.</translation>
    </message>
    <message>
        <source>There is no last session yet.</source>
        <translation>There is no last session yet.</translation>
    </message>
    <message>
        <source>The last session could not be restored.
%1</source>
        <translation>The last session could not be restored.
%1</translation>
    </message>
    <message>
        <source>Restore Last Session</source>
        <translation>Restore Last Session</translation>
    </message>
    <message>
        <source>Waves (*.zpwave *.fuw *.dmw *.ugw);;Wave documents (*.zpwave);;Furnace waves (*.fuw);;DefleMask waves (*.dmw);;Game Boy tracker waves (*.ugw);;All files (*)</source>
        <translation>Waves (*.zpwave *.fuw *.dmw *.ugw);;Wave documents (*.zpwave);;Furnace waves (*.fuw);;DefleMask waves (*.dmw);;Game Boy tracker waves (*.ugw);;All files (*)</translation>
    </message>
    <message>
        <source>“%1” was not saved: this editor reads .%2 files but does not write them.</source>
        <translation>“%1” was not saved: this editor reads .%2 files but does not write them.</translation>
    </message>
    <message>
        <source>%1 samples of “%2” were not numbers (NaN or infinity); they were taken as silence.</source>
        <translation>%1 samples of “%2” were not numbers (NaN or infinity); they were taken as silence.</translation>
    </message>
    <message>
        <source>%1 levels</source>
        <translation>%1 levels</translation>
    </message>
    <message>
        <source>“%1” holds %2 samples of %3 levels; saving over it writes %4 samples of %5 levels. Overwrite it, or save the wave as another file?</source>
        <translation>“%1” holds %2 samples of %3 levels; saving over it writes %4 samples of %5 levels. Overwrite it, or save the wave as another file?</translation>
    </message>
</context>
<context>
    <name>FtiInstrument</name>
    <message>
        <source>The instrument file is cut short at byte %1.</source>
        <translation>The instrument file is cut short at byte %1.</translation>
    </message>
    <message>
        <source>Sequence slot %1 loops to item %2 but has %3 items.</source>
        <translation>Sequence slot %1 loops to item %2 but has %3 items.</translation>
    </message>
    <message>
        <source>Sequence slot %1 releases at item %2 but has %3 items.</source>
        <translation>Sequence slot %1 releases at item %2 but has %3 items.</translation>
    </message>
    <message>
        <source>Sequence slot %1 has %2 items; the tracker plays at most 252.</source>
        <translation>Sequence slot %1 has %2 items; the tracker plays at most 252.</translation>
    </message>
    <message>
        <source>The instrument has %1 sequence slots; a Namco 163 instrument has at most 5.</source>
        <translation>The instrument has %1 sequence slots; a Namco 163 instrument has at most 5.</translation>
    </message>
    <message>
        <source>The wave size is %1; the Namco 163 takes 4 to 240 samples.</source>
        <translation>The wave size is %1; the Namco 163 takes 4 to 240 samples.</translation>
    </message>
    <message>
        <source>The wave position is %1; the Namco 163 takes 0 to 239.</source>
        <translation>The wave position is %1; the Namco 163 takes 0 to 239.</translation>
    </message>
    <message>
        <source>The instrument holds %1 waves; a Namco 163 instrument holds 1 to 64.</source>
        <translation>The instrument holds %1 waves; a Namco 163 instrument holds 1 to 64.</translation>
    </message>
    <message>
        <source>Sample %1 of wave %2 is %3; a Namco 163 sample is 0 to 15.</source>
        <translation>Sample %1 of wave %2 is %3; a Namco 163 sample is 0 to 15.</translation>
    </message>
    <message>
        <source>This is no tracker instrument file: it does not begin with "FTI".</source>
        <translation>This is no tracker instrument file: it does not begin with "FTI".</translation>
    </message>
    <message>
        <source>The instrument's version is not a digit, a point and a digit.</source>
        <translation>The instrument's version is not a digit, a point and a digit.</translation>
    </message>
    <message>
        <source>The instrument is of version %1; the tracker reads versions up to 2.5.</source>
        <translation>The instrument is of version %1; the tracker reads versions up to 2.5.</translation>
    </message>
    <message>
        <source>This is a %1 instrument; only Namco 163 and FDS instruments hold waves.</source>
        <translation>This is a %1 instrument; only Namco 163 and FDS instruments hold waves.</translation>
    </message>
    <message>
        <source>The instrument type %1 is unknown.</source>
        <translation>The instrument type %1 is unknown.</translation>
    </message>
    <message>
        <source>The instrument name is %1 bytes long; at most 127 fit.</source>
        <translation>The instrument name is %1 bytes long; at most 127 fit.</translation>
    </message>
    <message>
        <source>The instrument name holds a character the tracker cannot show; use letters, digits and punctuation of plain ASCII.</source>
        <translation>The instrument name holds a character the tracker cannot show; use letters, digits and punctuation of plain ASCII.</translation>
    </message>
    <message>
        <source>The bank holds no wave; an instrument needs at least one.</source>
        <translation>The bank holds no wave; an instrument needs at least one.</translation>
    </message>
    <message>
        <source>The bank has %1 waves; a Namco 163 instrument holds at most 64. Delete %2 waves or export the bank in parts.</source>
        <translation>The bank has %1 waves; a Namco 163 instrument holds at most 64. Delete %2 waves or export the bank in parts.</translation>
    </message>
    <message>
        <source>Wave %1 has %2 samples and wave 1 has %3; a Namco 163 instrument holds waves of one length. Bring every wave to one length.</source>
        <translation>Wave %1 has %2 samples and wave 1 has %3; a Namco 163 instrument holds waves of one length. Bring every wave to one length.</translation>
    </message>
    <message>
        <source>The Namco 163 cannot play waves of %1 samples: it plays 4 to 240 samples in steps of 4. Change the length to %2.</source>
        <translation>The Namco 163 cannot play waves of %1 samples: it plays 4 to 240 samples in steps of 4. Change the length to %2.</translation>
    </message>
    <message>
        <source>The FDS plays waves of 64 samples; this wave has %1. Change its length to 64.</source>
        <translation>The FDS plays waves of 64 samples; this wave has %1. Change its length to 64.</translation>
    </message>
</context>
<context>
    <name>InterchangeCommands</name>
    <message>
        <source>The harmonics view copies and pastes its attenuations; wave formats apply to the wave view</source>
        <translation>The harmonics view copies and pastes its attenuations; wave formats apply to the wave view</translation>
    </message>
    <message>
        <source>Choose a target first; Copy puts the editor's own text</source>
        <translation>Choose a target first; Copy puts the editor's own text</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Read as %1: %2 values, resampled to %3 samples.</source>
        <translation>Read as %1: %2 values, resampled to %3 samples.</translation>
    </message>
    <message>
        <source>Read as %1: %2 samples.</source>
        <translation>Read as %1: %2 samples.</translation>
    </message>
    <message>
        <source>Fitted to the %1: %2 samples.</source>
        <translation>Fitted to the %1: %2 samples.</translation>
    </message>
    <message>
        <source>%1 Levels</source>
        <translation>%1 Levels</translation>
    </message>
    <message>
        <source>%1 at %2 levels</source>
        <translation>%1 at %2 levels</translation>
    </message>
    <message>
        <source>The %1 has its own height: %2 levels.</source>
        <translation>The %1 has its own height: %2 levels.</translation>
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
        <translation>Length</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)	Alt+F4</source>
        <translation>&amp;Close	Alt+F4</translation>
    </message>
    <message>
        <source>Kestrom のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Kestrom...</translation>
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
        <translation>Wave editor</translation>
    </message>
    <message>
        <source>Wave length</source>
        <translation>Wave length</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>Pointer position</source>
        <translation>Pointer position</translation>
    </message>
    <message>
        <source>The %1 plays waves of %2 samples. Choose the target None in the pane menu for other lengths.</source>
        <translation>The %1 plays waves of %2 samples. Choose the target None in the pane menu for other lengths.</translation>
    </message>
</context>
<context>
    <name>QtUiServices</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Save As...</translation>
    </message>
</context>
<context>
    <name>SoundCommands</name>
    <message>
        <source>No sound output was found, so nothing can be heard. Check that a sound card is connected and a sound server (PulseAudio or PipeWire) is running, then press Play again.</source>
        <translation>No sound output was found, so nothing can be heard. Check that a sound card is connected and a sound server (PulseAudio or PipeWire) is running, then press Play again.</translation>
    </message>
    <message>
        <source>The sound output does not take 16-bit mono sound at 44100 Hz. Check the settings of the default output device.</source>
        <translation>The sound output does not take 16-bit mono sound at 44100 Hz. Check the settings of the default output device.</translation>
    </message>
    <message>
        <source>The sound output could not be opened. Check that the sound server is running and that no other program holds the device.</source>
        <translation>The sound output could not be opened. Check that the sound server is running and that no other program holds the device.</translation>
    </message>
    <message>
        <source>The sound output went away while playing. Check the sound server, then press Play again.</source>
        <translation>The sound output went away while playing. Check the sound server, then press Play again.</translation>
    </message>
    <message>
        <source>The sound server could not keep up with the low-latency preview, so the sound now runs a little further ahead. Edits are heard slightly later until the preview is switched off and on again.</source>
        <translation>The sound server could not keep up with the low-latency preview, so the sound now runs a little further ahead. Edits are heard slightly later until the preview is switched off and on again.</translation>
    </message>
</context>
<context>
    <name>WavExport</name>
    <message>
        <source>Could not encode the sound: %1</source>
        <translation>Could not encode the sound: %1</translation>
    </message>
    <message>
        <source>A WAV file cannot have the sample rate %1.</source>
        <translation>A WAV file cannot have the sample rate %1.</translation>
    </message>
</context>
<context>
    <name>WavImport</name>
    <message>
        <source>A wave cannot have %1 samples.</source>
        <translation>A wave cannot have %1 samples.</translation>
    </message>
    <message>
        <source>“%1” is not a sound file that can be read: %2</source>
        <translation>“%1” is not a sound file that can be read: %2</translation>
    </message>
    <message>
        <source>The samples of “%1” are stored in a way that cannot be read; use 8, 16, 24 or 32-bit integer or floating-point samples.</source>
        <translation>The samples of “%1” are stored in a way that cannot be read; use 8, 16, 24 or 32-bit integer or floating-point samples.</translation>
    </message>
    <message>
        <source>“%1” holds no sound.</source>
        <translation>“%1” holds no sound.</translation>
    </message>
    <message>
        <source>“%1” has only %2 frames, fewer than the %3 of one cycle.</source>
        <translation>“%1” has only %2 frames, fewer than the %3 of one cycle.</translation>
    </message>
    <message>
        <source>“%1” is too long for one cycle: %2 frames, at most %3.</source>
        <translation>“%1” is too long for one cycle: %2 frames, at most %3.</translation>
    </message>
    <message>
        <source>Could not read the sound of “%1”.</source>
        <translation>Could not read the sound of “%1”.</translation>
    </message>
    <message>
        <source>“%1” is silent in its first %2 seconds; there is no cycle to take.</source>
        <translation>“%1” is silent in its first %2 seconds; there is no cycle to take.</translation>
    </message>
    <message>
        <source>No repeating cycle was found in “%1”; the sound must repeat at least twice within its first %2 frames.</source>
        <translation>No repeating cycle was found in “%1”; the sound must repeat at least twice within its first %2 frames.</translation>
    </message>
</context>
<context>
    <name>WaveBank</name>
    <message>
        <source>The text holds more than %1 waves; a bank holds at most %1.</source>
        <translation>The text holds more than %1 waves; a bank holds at most %1.</translation>
    </message>
    <message>
        <source>The text holds no wave.</source>
        <translation>The text holds no wave.</translation>
    </message>
</context>
<context>
    <name>WaveDocument</name>
    <message>
        <source>Line %1: “%2” must be a whole number from 1 to %3, not “%4”.</source>
        <translation>Line %1: “%2” must be a whole number from 1 to %3, not “%4”.</translation>
    </message>
    <message>
        <source>Line %1: this is not a wave document; it must begin with the line “zpwave %2”.</source>
        <translation>Line %1: this is not a wave document; it must begin with the line “zpwave %2”.</translation>
    </message>
    <message>
        <source>Line %1: the document has format version %2, written by a later version of this program; this one reads up to version %3.</source>
        <translation>Line %1: the document has format version %2, written by a later version of this program; this one reads up to version %3.</translation>
    </message>
    <message>
        <source>Line %1: expected “key = value”, found “%2”.</source>
        <translation>Line %1: expected “key = value”, found “%2”.</translation>
    </message>
    <message>
        <source>Line %1: “%2” is given a second time (first on line %3).</source>
        <translation>Line %1: “%2” is given a second time (first on line %3).</translation>
    </message>
    <message>
        <source>Line %1: character %2 of the wave, “%3”, is not a hexadecimal digit.</source>
        <translation>Line %1: character %2 of the wave, “%3”, is not a hexadecimal digit.</translation>
    </message>
    <message>
        <source>Line %1: the wave has %2 hexadecimal digits; a length of %3 needs %4.</source>
        <translation>Line %1: the wave has %2 hexadecimal digits; a length of %3 needs %4.</translation>
    </message>
    <message>
        <source>Line %1: harmonic %2, “%3”, is not a whole number from 0 to 255.</source>
        <translation>Line %1: harmonic %2, “%3”, is not a whole number from 0 to 255.</translation>
    </message>
    <message>
        <source>Line %1: there are %2 harmonics; the length is %3.</source>
        <translation>Line %1: there are %2 harmonics; the length is %3.</translation>
    </message>
    <message>
        <source>Line %1: “%2” holds a backslash that is neither “\\” nor “\x” with two hexadecimal digits.</source>
        <translation>Line %1: “%2” holds a backslash that is neither “\\” nor “\x” with two hexadecimal digits.</translation>
    </message>
    <message>
        <source>Line %1: the length must be 2, 4, 8, 16, 32 or 64, not “%2”.</source>
        <translation>Line %1: the length must be 2, 4, 8, 16, 32 or 64, not “%2”.</translation>
    </message>
    <message>
        <source>Line %1: the mode must be “hold” or “poly”, not “%2”.</source>
        <translation>Line %1: the mode must be “hold” or “poly”, not “%2”.</translation>
    </message>
    <message>
        <source>Line %1: the view must be “wave” or “harmonics”, not “%2”.</source>
        <translation>Line %1: the view must be “wave” or “harmonics”, not “%2”.</translation>
    </message>
    <message>
        <source>Line %1: the note must be a whole number from 0 to %2, not “%3”.</source>
        <translation>Line %1: the note must be a whole number from 0 to %2, not “%3”.</translation>
    </message>
    <message>
        <source>Line %1: the document ends without “%2 = …”.</source>
        <translation>Line %1: the document ends without “%2 = …”.</translation>
    </message>
    <message>
        <source>Line %1: the height must be 16, 32, 64 or 256, not “%2”.</source>
        <translation>Line %1: the height must be 16, 32, 64 or 256, not “%2”.</translation>
    </message>
    <message>
        <source>Line %1: a wave for the target “%2” has height %3, not %4.</source>
        <translation>Line %1: a wave for the target “%2” has height %3, not %4.</translation>
    </message>
    <message>
        <source>Line %1: there is text after “end”.</source>
        <translation>Line %1: there is text after “end”.</translation>
    </message>
    <message>
        <source>Line %1: the document ends without its last line “end”; it may have been cut off.</source>
        <translation>Line %1: the document ends without its last line “end”; it may have been cut off.</translation>
    </message>
</context>
<context>
    <name>WaveEditor</name>
    <message>
        <source>harmonic %1 of %2: %3</source>
        <translation>harmonic %1 of %2: %3</translation>
    </message>
    <message>
        <source>sample %1 of %2: %3</source>
        <translation>sample %1 of %2: %3</translation>
    </message>
    <message>
        <source>Edit value</source>
        <translation>Edit value</translation>
    </message>
</context>
<context>
    <name>WaveFile</name>
    <message>
        <source>This is no Furnace wave file.</source>
        <translation>This is no Furnace wave file.</translation>
    </message>
    <message>
        <source>The Furnace file holds no wave.</source>
        <translation>The Furnace file holds no wave.</translation>
    </message>
    <message>
        <source>A Game Boy wave file has 32 bytes; this one has %1.</source>
        <translation>A Game Boy wave file has 32 bytes; this one has %1.</translation>
    </message>
    <message>
        <source>The file holds %1 samples; the wave was resampled to %2 samples, so saving it back changes the file.</source>
        <translation>The file holds %1 samples; the wave was resampled to %2 samples, so saving it back changes the file.</translation>
    </message>
    <message>
        <source>A .%1 file holds %2 samples of %3 levels: the wave was resampled from %4 to %2 samples and reduced to %3 levels.</source>
        <translation>A .%1 file holds %2 samples of %3 levels: the wave was resampled from %4 to %2 samples and reduced to %3 levels.</translation>
    </message>
    <message>
        <source>A .%1 file holds %2 samples: the wave was resampled from %3 to %2.</source>
        <translation>A .%1 file holds %2 samples: the wave was resampled from %3 to %2.</translation>
    </message>
    <message>
        <source>The .%1 file holds %2 levels: the wave was reduced to %2 levels.</source>
        <translation>The .%1 file holds %2 levels: the wave was reduced to %2 levels.</translation>
    </message>
    <message>
        <source>The %1 wave file is cut short.</source>
        <translation>The %1 wave file is cut short.</translation>
    </message>
    <message>
        <source>Value %1 (%2) is out of range; the wave takes %3 to %4.</source>
        <translation>Value %1 (%2) is out of range; the wave takes %3 to %4.</translation>
    </message>
    <message>
        <source>The Furnace wave has length %1, min %2 and max %3; this editor reads lengths 1 to 256 and at most 256 levels from min to max.</source>
        <translation>The Furnace wave has length %1, min %2 and max %3; this editor reads lengths 1 to 256 and at most 256 levels from min to max.</translation>
    </message>
    <message>
        <source>The DefleMask wave has length %1; this editor reads lengths 1 to 256.</source>
        <translation>The DefleMask wave has length %1; this editor reads lengths 1 to 256.</translation>
    </message>
    <message>
        <source>This is no DefleMask wave file: %1 values need %2 bytes; it has %3.</source>
        <translation>This is no DefleMask wave file: %1 values need %2 bytes; it has %3.</translation>
    </message>
    <message>
        <source>The Game Boy wave file has %1 bytes; the first 32 were read, as the trackers read it.</source>
        <translation>The Game Boy wave file has %1 bytes; the first 32 were read, as the trackers read it.</translation>
    </message>
    <message>
        <source>This editor reads .%1 files but does not write them.</source>
        <translation>This editor reads .%1 files but does not write them.</translation>
    </message>
</context>
<context>
    <name>WaveFormat</name>
    <message>
        <source>This editor (hex)</source>
        <translation>This editor (hex)</translation>
    </message>
    <message>
        <source>Furnace (decimal)</source>
        <translation>Furnace (decimal)</translation>
    </message>
    <message>
        <source>Furnace (signed decimal)</source>
        <translation>Furnace (signed decimal)</translation>
    </message>
    <message>
        <source>Furnace (hex)</source>
        <translation>Furnace (hex)</translation>
    </message>
    <message>
        <source>FamiTracker (FDS wave)</source>
        <translation>FamiTracker (FDS wave)</translation>
    </message>
    <message>
        <source>FamiTracker (N163 wave)</source>
        <translation>FamiTracker (N163 wave)</translation>
    </message>
    <message>
        <source>Game Boy trackers (hUGETracker, GB Studio)</source>
        <translation>Game Boy trackers (hUGETracker, GB Studio)</translation>
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
        <translation>The clipboard text is not a wave of a usable length: it must hold 2, 4, 8, 16, 32 or 64 samples, two hexadecimal digits each (4 to 128 digits), with nothing before or after them.</translation>
    </message>
    <message>
        <source>数値以外の文字が含まれています。</source>
        <translation>The clipboard text holds a character that is not a hexadecimal digit: a wave is written with 0–9 and a–f only, two digits per sample.</translation>
    </message>
    <message>
        <source>The text holds no wave values.</source>
        <translation>The text holds no wave values.</translation>
    </message>
    <message>
        <source>Value %1 ("%2") is not a number; %3 takes %4 to %5.</source>
        <translation>Value %1 ("%2") is not a number; %3 takes %4 to %5.</translation>
    </message>
    <message>
        <source>Value %1 (%2) is out of range; %3 takes %4 to %5.</source>
        <translation>Value %1 (%2) is out of range; %3 takes %4 to %5.</translation>
    </message>
    <message>
        <source>The list after "{" has no closing "}".</source>
        <translation>The list after "{" has no closing "}".</translation>
    </message>
    <message>
        <source>Unexpected text after the closing "}": "%1".</source>
        <translation>Unexpected text after the closing "}": "%1".</translation>
    </message>
    <message>
        <source>Value %1 is missing between two commas.</source>
        <translation>Value %1 is missing between two commas.</translation>
    </message>
    <message>
        <source>%1 takes exactly %2 values; the text has %3.</source>
        <translation>%1 takes exactly %2 values; the text has %3.</translation>
    </message>
    <message>
        <source>%1 takes a multiple of 4 values, from 4 to 240; the text has %2.</source>
        <translation>%1 takes a multiple of 4 values, from 4 to 240; the text has %2.</translation>
    </message>
    <message>
        <source>%1 takes at most %2 values; the text has %3.</source>
        <translation>%1 takes at most %2 values; the text has %3.</translation>
    </message>
    <message>
        <source>The text holds %1 waves; take one wave at a time.</source>
        <translation>The text holds %1 waves; take one wave at a time.</translation>
    </message>
</context>
<context>
    <name>MidiCommands</name>
    <message>
        <source>ALSA Sequencer</source>
        <translation>ALSA Sequencer</translation>
    </message>
    <message>
        <source>JACK</source>
        <translation>JACK</translation>
    </message>
    <message>
        <source>Looking for MIDI inputs...</source>
        <translation>Looking for MIDI inputs...</translation>
    </message>
    <message>
        <source>No MIDI: this system has no ALSA sequencer (/dev/snd/seq)</source>
        <translation>No MIDI: this system has no ALSA sequencer (/dev/snd/seq)</translation>
    </message>
    <message>
        <source>No MIDI: no JACK server is running</source>
        <translation>No MIDI: no JACK server is running</translation>
    </message>
    <message>
        <source>No MIDI: the MIDI system refused the input port (%1)</source>
        <translation>No MIDI: the MIDI system refused the input port (%1)</translation>
    </message>
    <message>
        <source>Other programs connect to %1</source>
        <translation>Other programs connect to %1</translation>
    </message>
    <message>
        <source>No other MIDI inputs found</source>
        <translation>No other MIDI inputs found</translation>
    </message>
</context>
<context>
    <name>NoteKeyCommands</name>
    <message>
        <source>Note keys o%1</source>
        <translation>Note keys o%1</translation>
    </message>
</context>
<context>
    <name>BankWindow</name>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>Move Left</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>Move Right</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Copy Bank</source>
        <translation>Copy Bank</translation>
    </message>
    <message>
        <source>Paste Bank</source>
        <translation>Paste Bank</translation>
    </message>
    <message>
        <source>wave %1 of %2</source>
        <translation>wave %1 of %2</translation>
    </message>
    <message>
        <source>Wave Bank</source>
        <translation>Wave Bank</translation>
    </message>
    <message>
        <source>Waves of the bank</source>
        <translation>Waves of the bank</translation>
    </message>
    <message>
        <source>Play Sequence</source>
        <translation>Play Sequence</translation>
    </message>
    <message>
        <source>Morph…</source>
        <translation>Morph…</translation>
    </message>
</context>
<context>
    <name>BankCommands</name>
    <message>
        <source>Line %1 of the clipboard is no wave; nothing was pasted.
%2</source>
        <translation>Line %1 of the clipboard is no wave; nothing was pasted.
%2</translation>
    </message>
    <message>
        <source>The clipboard holds no bank.
%1</source>
        <translation>The clipboard holds no bank.
%1</translation>
    </message>
    <message>
        <source>Sequence Rate</source>
        <translation>Sequence Rate</translation>
    </message>
    <message>
        <source>Waves a second (1 to 1000 Hz):</source>
        <translation>Waves a second (1 to 1000 Hz):</translation>
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
        <translation>Export Bank as Files</translation>
    </message>
    <message>
        <source>Furnace waves, one file per wave (*.fuw);;DefleMask waves, one file per wave (*.dmw);;Game Boy tracker waves, one file per wave: 32 samples of 4 bits (*.ugw)</source>
        <translation>Furnace waves, one file per wave (*.fuw);;DefleMask waves, one file per wave (*.dmw);;Game Boy tracker waves, one file per wave: 32 samples of 4 bits (*.ugw)</translation>
    </message>
    <message>
        <source>“%1” names no wave file type; choose a name ending in .fuw, .dmw or .ugw.</source>
        <translation>“%1” names no wave file type; choose a name ending in .fuw, .dmw or .ugw.</translation>
    </message>
    <message>
        <source>%1 of the %2 files to write are already in “%3”: %4.
Overwrite them?</source>
        <translation>%1 of the %2 files to write are already in “%3”: %4.
Overwrite them?</translation>
    </message>
    <message>
        <source>No file was written.</source>
        <translation>No file was written.</translation>
    </message>
    <message>
        <source>Written before it, in “%1”: %2.</source>
        <translation>Written before it, in “%1”: %2.</translation>
    </message>
    <message>
        <source>The export stopped at wave %1 of %2.
%3
%4</source>
        <translation>The export stopped at wave %1 of %2.
%3
%4</translation>
    </message>
    <message>
        <source>“%1” was written.%2</source>
        <translation>“%1” was written.%2</translation>
    </message>
    <message>
        <source>%1 files were written to “%2”: %3.%4</source>
        <translation>%1 files were written to “%2”: %3.%4</translation>
    </message>
    <message>
        <source>Wave %1: %2</source>
        <translation>Wave %1: %2</translation>
    </message>
    <message>
        <source>Waves %1: %2</source>
        <translation>Waves %1: %2</translation>
    </message>
</context>
<context>
    <name>MorphDialog</name>
    <message>
        <source>Morph</source>
        <translation>Morph</translation>
    </message>
    <message>
        <source>Linear (sample by sample)</source>
        <translation>Linear (sample by sample)</translation>
    </message>
    <message>
        <source>Spectral (by the harmonics)</source>
        <translation>Spectral (by the harmonics)</translation>
    </message>
    <message>
        <source>Waves the morph gives</source>
        <translation>Waves the morph gives</translation>
    </message>
    <message>
        <source>Wave &amp;A:</source>
        <translation>Wave &amp;A:</translation>
    </message>
    <message>
        <source>Wave &amp;B:</source>
        <translation>Wave &amp;B:</translation>
    </message>
    <message>
        <source>&amp;Steps between:</source>
        <translation>&amp;Steps between:</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Kind:</translation>
    </message>
    <message>
        <source>Wave A must come before wave B.</source>
        <translation>Wave A must come before wave B.</translation>
    </message>
    <message>
        <source>The bank would hold more than %1 waves: choose fewer steps or closer key waves.</source>
        <translation>The bank would hold more than %1 waves: choose fewer steps or closer key waves.</translation>
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
        <translation>Export Namco 163 Instrument</translation>
    </message>
    <message>
        <source>Export FDS Instrument</source>
        <translation>Export FDS Instrument</translation>
    </message>
    <message>
        <source>Tracker instruments (*.fti)</source>
        <translation>Tracker instruments (*.fti)</translation>
    </message>
    <message>
        <source>Import Instrument</source>
        <translation>Import Instrument</translation>
    </message>
    <message>
        <source>Tracker instruments (*.fti);;All files (*)</source>
        <translation>Tracker instruments (*.fti);;All files (*)</translation>
    </message>
    <message>
        <source>“%1” was not exported.
%2</source>
        <translation>“%1” was not exported.
%2</translation>
    </message>
    <message>
        <source>Samples brought to the nearest of the chip's %2 levels in the instrument: %1.</source>
        <translation>Samples brought to the nearest of the chip's %2 levels in the instrument: %1.</translation>
    </message>
    <message>
        <source>“%1” was not imported.
%2</source>
        <translation>“%1” was not imported.
%2</translation>
    </message>
    <message>
        <source>The instrument's waves have %1 samples; they were resampled to %2 samples.</source>
        <translation>The instrument's waves have %1 samples; they were resampled to %2 samples.</translation>
    </message>
    <message>
        <source>The waves were fitted to the target %1: its lengths and levels.</source>
        <translation>The waves were fitted to the target %1: its lengths and levels.</translation>
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
        <translation>&amp;Waves</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>First wave of the sequence</source>
        <translation>First wave of the sequence</translation>
    </message>
    <message>
        <source>Last wave of the sequence</source>
        <translation>Last wave of the sequence</translation>
    </message>
    <message>
        <source>R&amp;ate</source>
        <translation>R&amp;ate</translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Hz</translation>
    </message>
    <message>
        <source>Sequence rate in ticks a second</source>
        <translation>Sequence rate in ticks a second</translation>
    </message>
    <message>
        <source>&amp;Loop</source>
        <translation>&amp;Loop</translation>
    </message>
    <message>
        <source>Loop the sequence</source>
        <translation>Loop the sequence</translation>
    </message>
    <message>
        <source>Play Sequence</source>
        <translation>Play Sequence</translation>
    </message>
</context>
</TS>