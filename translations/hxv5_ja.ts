<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>hxv5::AboutBox</name>
    <message>
        <source>About Tormel Clone Utility</source>
        <translation>Tormel クローン ユーティリティのバージョン情報</translation>
    </message>
    <message>
        <source>Reads the memory channels and settings of %1 hand-held radios over the serial cable, lets you edit them, and writes them back.</source>
        <translation>%1 ハンディ無線機のメモリーチャンネルと設定をシリアルケーブルで読み出し、編集して無線機に書き戻します。</translation>
    </message>
    <message>
        <source>Warning: this program is provided as is, without warranty of any kind. Writing to the radio replaces its channels and settings; save a copy of them to a file first.</source>
        <translation>警告: このプログラムは現状のまま提供され、いかなる保証もありません。無線機に書き込むとチャンネルと設定が置き換わります。先にファイルへ保存しておいてください。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>hxv5::Backups</name>
    <message>
        <source>Backup not kept: %1 takes no file</source>
        <translation>バックアップを保存できませんでした: %1 にファイルを作れません</translation>
    </message>
</context>
<context>
    <name>hxv5::BulkEdit</name>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation>チャンネル %1</translation>
    </message>
    <message>
        <source>channels %1</source>
        <translation>チャンネル %1</translation>
    </message>
    <message>
        <source>channels %1 and %2 more</source>
        <translation>チャンネル %1 ほか %2 件</translation>
    </message>
    <message>
        <source>Edit Selected Channels</source>
        <translation>選択したチャンネルの編集</translation>
    </message>
    <message>
        <source>%1: left as it was on %2</source>
        <translation>%1: %2 はそのままにしました</translation>
    </message>
    <message>
        <source>%1 channel changed</source>
        <translation>%1 チャンネルを変更</translation>
    </message>
    <message>
        <source>%1 channels changed</source>
        <translation>%1 チャンネルを変更</translation>
    </message>
    <message>
        <source>%1 unchanged</source>
        <translation>%1 チャンネルは変更なし</translation>
    </message>
    <message>
        <source>%1 empty slot passed over</source>
        <translation>空きスロット %1 個は対象外</translation>
    </message>
    <message>
        <source>%1 empty slots passed over</source>
        <translation>空きスロット %1 個は対象外</translation>
    </message>
    <message>
        <source>.</source>
        <comment>the end of a sentence</comment>
        <translation>。</translation>
    </message>
</context>
<context>
    <name>hxv5::BulkEditDialog</name>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>ステップ</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>トーン</translation>
    </message>
    <message>
        <source>TX Tone</source>
        <translation>送信トーン</translation>
    </message>
    <message>
        <source>RX Tone</source>
        <translation>受信トーン</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>シフト</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>オフセット</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Edit Selected Channels</source>
        <translation>選択したチャンネルの編集</translation>
    </message>
    <message>
        <source>The ticked fields change on each of the %1 selected rows that holds a channel, checked as the edit dialog checks that channel.</source>
        <translation>チェックを付けた項目を、選択した %1 行のうちチャンネルのある行ごとに変更します。値は編集ダイアログと同じように確かめます。</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>Auto Mode and Step</source>
        <translation>モードとステップを自動で選ぶ</translation>
    </message>
</context>
<context>
    <name>hxv5::CellEdit</name>
    <message>
        <source>&quot;%1&quot; is not a frequency in MHz</source>
        <translation>&quot;%1&quot; は MHz 単位の周波数ではありません</translation>
    </message>
    <message>
        <source>A frequency must be above 0 MHz</source>
        <translation>周波数は 0 MHz より大きくしてください</translation>
    </message>
    <message>
        <source>The radio holds frequencies below 10000 MHz</source>
        <translation>無線機が持てる周波数は 10000 MHz 未満です</translation>
    </message>
    <message>
        <source>%1 MHz is outside what the %2 holds in memory (%3 MHz)</source>
        <translation>%1 MHz は %2 のメモリーに入れられる範囲 (%3 MHz) の外です</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>The %1 has no band plan: the VFO band %2 keeps its frequency</source>
        <translation>%1 にはバンドプランがありません: VFO バンド %2 の周波数はそのままです</translation>
    </message>
    <message>
        <source>%1 MHz is outside the VFO band %2 of the %3 %4</source>
        <translation>%1 MHz は %3 の VFO バンド %2 %4 の範囲外です</translation>
    </message>
    <message>
        <source>memory channels on the %1</source>
        <translation>%1 のメモリーチャンネル</translation>
    </message>
    <message>
        <source>the VFO band %1 on the %2</source>
        <translation>%2 の VFO バンド %1</translation>
    </message>
    <message>
        <source>%1 %2 is not offered for %3</source>
        <translation>%1 の %2 は %3 では選べません</translation>
    </message>
    <message>
        <source>A transfer with the radio is running: nothing can change now</source>
        <translation>無線機との通信中です。今は何も変更できません</translation>
    </message>
    <message>
        <source>The %1 has no %2 band</source>
        <translation>%1 には %2 バンドがありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an offset in MHz</source>
        <translation>&quot;%1&quot; は MHz 単位のオフセットではありません</translation>
    </message>
    <message>
        <source>An offset must be below 100 MHz: the radio holds at most 99.99999</source>
        <translation>オフセットは 100 MHz 未満にしてください: 無線機が持てるのは 99.99999 までです</translation>
    </message>
    <message>
        <source>A note holds at most %1 characters</source>
        <translation>メモは %1 文字までです</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>an edit, then the column it changes</comment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>hxv5::ChannelGrid</name>
    <message>
        <source>Channel table</source>
        <translation>チャンネル表</translation>
    </message>
</context>
<context>
    <name>hxv5::ChannelListOperations</name>
    <message>
        <source>Edit ▸ Undo brings the rows back.</source>
        <translation>[編集] ▸ [元に戻す] で行を元に戻せます。</translation>
    </message>
    <message>
        <source>Are you sure that you want to do the clear?</source>
        <translation>クリアしてもよろしいですか?</translation>
    </message>
    <message>
        <source>Are you sure that you want to clear all memory?</source>
        <translation>すべてのメモリーをクリアしてもよろしいですか?</translation>
    </message>
    <message>
        <source>Are you sure that you want to do the delete?</source>
        <translation>削除してもよろしいですか?</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>CLEAR OK</source>
        <translation>クリアの確認</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべてクリア</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>DELETE OK</source>
        <translation>削除の確認</translation>
    </message>
    <message>
        <source>Channel %1 pushed out; Undo brings it back</source>
        <translation>チャンネル %1 が押し出されました。[元に戻す] で戻せます</translation>
    </message>
    <message>
        <source>Channels %1 pushed out; Undo brings them back</source>
        <translation>チャンネル %1 が押し出されました。[元に戻す] で戻せます</translation>
    </message>
    <message>
        <source>Channels %1 and %2 more pushed out; Undo brings them back</source>
        <translation>チャンネル %1 ほか %2 件が押し出されました。[元に戻す] で戻せます</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>挿入</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>無効にする</translation>
    </message>
    <message>
        <source>Disable All</source>
        <translation>すべて無効にする</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効にする</translation>
    </message>
    <message>
        <source>Enable All</source>
        <translation>すべて有効にする</translation>
    </message>
    <message>
        <source>%1 hidden: only the %2 %3; the hidden rows stay as they are.</source>
        <translation>%1が非表示です。表示中の %2だけを%3。非表示の行はそのままです。</translation>
    </message>
    <message>
        <source>1 row is</source>
        <translation>1 行</translation>
    </message>
    <message>
        <source>%1 rows are</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>row shown is</source>
        <translation>1 行</translation>
    </message>
    <message>
        <source>%1 rows shown are</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>cleared</source>
        <translation>クリアします</translation>
    </message>
    <message>
        <source>emptied in place (the rows below do not move up)</source>
        <translation>その場で空にします (下の行は上に詰めません)</translation>
    </message>
    <message>
        <source>deleted</source>
        <translation>削除します</translation>
    </message>
    <message>
        <source>Insert would move hidden rows: show every row (the find bar&apos;s filter off, View ▸ Hide Empty Slots unticked) to insert here.</source>
        <translation>挿入すると非表示の行が動きます。ここに挿入するには、すべての行を表示してください (検索バーの絞り込みをやめ、[表示] ▸ [空きｽﾛｯﾄを隠す] のチェックを外します)。</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>無効にしました</translation>
    </message>
    <message>
        <source>enabled</source>
        <translation>有効にしました</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上へ移動</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下へ移動</translation>
    </message>
</context>
<context>
    <name>hxv5::ChannelListPanel</name>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべてクリア</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>挿入</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>Disable All</source>
        <translation>すべて無効</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Enable All</source>
        <translation>すべて有効</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下へ</translation>
    </message>
</context>
<context>
    <name>hxv5::ChannelSort</name>
    <message>
        <source>Sort by %1</source>
        <translation>%1で並べ替え</translation>
    </message>
</context>
<context>
    <name>hxv5::ChirpCsv</name>
    <message>
        <source>%1 %2 is not a tone of the tone list</source>
        <translation>%1 %2 はトーン一覧にないトーンです</translation>
    </message>
    <message>
        <source>%1 %2 is not a tone of the tone list: %3 taken</source>
        <translation>%1 %2 はトーン一覧にないトーンです: %3 にしました</translation>
    </message>
    <message>
        <source>%1 %2 cannot be held: %3</source>
        <translation>%1 %2 は扱えません: %3</translation>
    </message>
    <message>
        <source>the radio has no DTCS (digital squelch)</source>
        <translation>無線機に DTCS (デジタルスケルチ) はありません</translation>
    </message>
    <message>
        <source>the radio has no tone, Tone, TSQL, TSQL-R and Cross only</source>
        <translation>無線機が扱えるのはトーンなし、Tone、TSQL、TSQL-R、Cross だけです</translation>
    </message>
    <message>
        <source>a tone on receive only is no mode of the radio, whose tone squelch also sends its tone on transmit</source>
        <translation>受信だけのトーンは無線機のモードにありません (トーンスケルチは送信時にもトーンを送ります)</translation>
    </message>
    <message>
        <source>the radio has Tone-&gt;Tone and Tone-&gt; only</source>
        <translation>無線機が扱えるのは Tone-&gt;Tone と Tone-&gt; だけです</translation>
    </message>
    <message>
        <source>TStep %1 is no step: the automatic step %2 taken</source>
        <translation>TStep %1 はステップではありません: 自動のステップ %2 にしました</translation>
    </message>
    <message>
        <source>TStep %1 kHz is not a step of the radio: %2 taken</source>
        <translation>TStep %1 kHz は無線機のステップにありません: %2 にしました</translation>
    </message>
    <message>
        <source>%1 %2 taken as %3 MHz: the radio keeps no digits below 10 Hz</source>
        <translation>%1 %2 を %3 MHz にしました: 無線機は 10 Hz 未満の桁を保持しません</translation>
    </message>
    <message>
        <source>Offset %1 is not a transmit frequency in MHz (Duplex &quot;split&quot;)</source>
        <translation>Offset %1 は MHz 単位の送信周波数ではありません (Duplex &quot;split&quot;)</translation>
    </message>
    <message>
        <source>transmit on %1 MHz (Duplex &quot;split&quot;) cannot be held: the radio transmits at most 99.99999 MHz away from the receive frequency</source>
        <translation>送信周波数 %1 MHz (Duplex &quot;split&quot;) は扱えません: 無線機は受信周波数から 99.99999 MHz までしか離して送信できません</translation>
    </message>
    <message>
        <source>Duplex &quot;split&quot; (transmit on %1 MHz) taken as %2</source>
        <translation>Duplex &quot;split&quot; (送信周波数 %1 MHz) を %2 にしました</translation>
    </message>
    <message>
        <source>no shift</source>
        <translation>シフトなし</translation>
    </message>
    <message>
        <source>%1 %2 MHz</source>
        <translation>%1 %2 MHz</translation>
    </message>
    <message>
        <source>Duplex &quot;off&quot; cannot be held: the radio has no channel that does not transmit</source>
        <translation>Duplex &quot;off&quot; は扱えません: 無線機には送信しないチャンネルがありません</translation>
    </message>
    <message>
        <source>Duplex %1 is not &quot;&quot;, &quot;+&quot;, &quot;-&quot;, &quot;split&quot; or &quot;off&quot;</source>
        <translation>Duplex %1 は &quot;&quot;、&quot;+&quot;、&quot;-&quot;、&quot;split&quot;、&quot;off&quot; のどれでもありません</translation>
    </message>
    <message>
        <source>Offset %1 is not 0 to 99.99999 MHz</source>
        <translation>Offset %1 が 0 ～ 99.99999 MHz の範囲外です</translation>
    </message>
    <message>
        <source>Offset %1 is not 0 to 99.99999 MHz: .00000 taken, the channel has no shift</source>
        <translation>Offset %1 が 0 ～ 99.99999 MHz の範囲外です: シフトのないチャンネルなので .00000 にしました</translation>
    </message>
    <message>
        <source>a line break in %1 taken as a blank</source>
        <translation>%1 の改行を空白にしました</translation>
    </message>
    <message>
        <source>Location %1 is not a memory channel 0 to 199</source>
        <translation>Location %1 はメモリーチャンネル 0 ～ 199 ではありません</translation>
    </message>
    <message>
        <source>Frequency %1 is not a frequency in MHz</source>
        <translation>Frequency %1 は MHz 単位の周波数ではありません</translation>
    </message>
    <message>
        <source>Mode %1 cannot be held: the radio has FM, AM and WFM</source>
        <translation>Mode %1 は扱えません: 無線機のモードは FM、AM、WFM です</translation>
    </message>
    <message>
        <source>Mode &quot;NFM&quot; taken as FM</source>
        <translation>Mode &quot;NFM&quot; を FM にしました</translation>
    </message>
    <message>
        <source>Skip %1 taken as scanned</source>
        <translation>Skip %1 をスキャン対象にしました</translation>
    </message>
    <message>
        <source>reverse tone squelch with two tones: CHIRP&apos;s TSQL-R holds one, the receive tone in cToneFreq</source>
        <translation>2 つのトーンを使うリバーストーンスケルチです: CHIRP の TSQL-R は 1 つしか持てないため、受信トーンを cToneFreq に書きました</translation>
    </message>
    <message>
        <source>the radio&apos;s &quot;Split&quot; shift has no CHIRP counterpart: written without a shift</source>
        <translation>無線機の &quot;Split&quot; シフトに当たるものが CHIRP にありません: シフトなしで書きました</translation>
    </message>
    <message>
        <source>Channel %1: %2</source>
        <translation>チャンネル %1: %2</translation>
    </message>
    <message>
        <source>the first line is not a CHIRP header: it names no %1 column</source>
        <translation>1 行目が CHIRP の見出し行ではありません: %1 列がありません</translation>
    </message>
    <message>
        <source>Location %1 is named again on line %2, which is taken</source>
        <translation>Location %1 は %2 行目にもあり、そちらを使いました</translation>
    </message>
</context>
<context>
    <name>hxv5::CloneFile</name>
    <message>
        <source>Data Error</source>
        <translation>データ エラー</translation>
    </message>
    <message>
        <source>File Open Error</source>
        <translation>ファイルの入出力エラー</translation>
    </message>
</context>
<context>
    <name>hxv5::CloneImage</name>
    <message>
        <source>slot %1</source>
        <translation>スロット %1</translation>
    </message>
    <message>
        <source>settings block 213</source>
        <translation>設定ブロック 213</translation>
    </message>
    <message>
        <source>enable block %1</source>
        <translation>有効フラグのブロック %1</translation>
    </message>
    <message>
        <source>VFO %1</source>
        <translation>VFO %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 ～ %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
</context>
<context>
    <name>hxv5::CompareDialog</name>
    <message>
        <source>Compare With File</source>
        <translation>ファイルと比較</translation>
    </message>
    <message>
        <source>The files hold the same data.</source>
        <translation>同じデータです。</translation>
    </message>
    <message>
        <source>1 difference.</source>
        <translation>違いが 1 か所あります。</translation>
    </message>
    <message>
        <source>%1 differences.</source>
        <translation>違いが %1 か所あります。</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>場所</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>This Document</source>
        <translation>このデータ</translation>
    </message>
    <message>
        <source>The File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Differences</source>
        <translation>相違点</translation>
    </message>
</context>
<context>
    <name>hxv5::CsvExchange</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1、%2 のいずれか</translation>
    </message>
    <message>
        <source>%1 MHz is outside what %2 can receive</source>
        <translation>%1 MHz は %2 の受信範囲外です</translation>
    </message>
    <message>
        <source>VFO row %1 is not %2</source>
        <translation>VFO の行 %1 が %2 ではありません</translation>
    </message>
    <message>
        <source>channel %1 is not 0 to 199</source>
        <translation>チャンネル %1 が 0 ～ 199 ではありません</translation>
    </message>
    <message>
        <source>SCAN row %1 is not %2</source>
        <translation>SCAN の行 %1 が %2 ではありません</translation>
    </message>
    <message>
        <source>%1 MHz: %2 has no range for the %3 band</source>
        <translation>%1 MHz: %2 には %3 バンドの範囲がありません</translation>
    </message>
    <message>
        <source>%1 MHz is outside the %2 band %3 of %4</source>
        <translation>%1 MHz は %4 の %2 バンド %3 の範囲外です</translation>
    </message>
    <message>
        <source>FREQUENCY is empty</source>
        <translation>FREQUENCY が空です</translation>
    </message>
    <message>
        <source>%1 %2 is not a number</source>
        <translation>%1 %2 は数値ではありません</translation>
    </message>
    <message>
        <source>%1 %2 is not a tone of the tone list</source>
        <translation>%1 %2 はトーン一覧にないトーンです</translation>
    </message>
    <message>
        <source>%1 %2 is not a frequency above 0</source>
        <translation>%1 %2 は 0 より大きい周波数ではありません</translation>
    </message>
    <message>
        <source>%1 %2 is above 9999.99999 MHz</source>
        <translation>%1 %2 は 9999.99999 MHz を超えています</translation>
    </message>
    <message>
        <source>%1 %2 is not FM, AM or WFM</source>
        <translation>%1 %2 は FM、AM、WFM のどれでもありません</translation>
    </message>
    <message>
        <source>%1 %2 is not a tuning step</source>
        <translation>%1 %2 は周波数ステップではありません</translation>
    </message>
    <message>
        <source>%1 %2 is not 0 to 99.99999 MHz</source>
        <translation>%1 %2 が 0 ～ 99.99999 MHz の範囲外です</translation>
    </message>
    <message>
        <source>%1 %2 read as %3: the text after the number is left out</source>
        <translation>%1 %2 を %3 として読みました: 数値の後の文字は無視しました</translation>
    </message>
    <message>
        <source>the row has too few fields</source>
        <translation>行の項目が足りません</translation>
    </message>
    <message>
        <source>a quote in the row is not closed</source>
        <translation>行の引用符が閉じていません</translation>
    </message>
    <message>
        <source>1 row</source>
        <translation>1 行</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>%1 imported, %2 skipped.</source>
        <translation>%1を取り込み、%2をスキップしました。</translation>
    </message>
    <message>
        <source>%1 changed.</source>
        <translation>%1を変更して取り込みました。</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>1 more row is not listed.</source>
        <translation>ほかに 1 行あります (一覧にはありません)。</translation>
    </message>
    <message>
        <source>%1 more rows are not listed.</source>
        <translation>ほかに %1 行あります (一覧にはありません)。</translation>
    </message>
    <message>
        <source>BANK %1 is not VFO, MEMORY or SCAN</source>
        <translation>BANK %1 は VFO、MEMORY、SCAN のどれでもありません</translation>
    </message>
    <message>
        <source>CHANNEL is empty</source>
        <translation>CHANNEL が空です</translation>
    </message>
    <message>
        <source>%1 is not read: it is named on %2 later lines, none of which can be taken</source>
        <translation>%1 は読み込みませんでした: 後の %2 行にもありますが、どれも使えません</translation>
    </message>
    <message>
        <source>%1 is named again on line %2, which is taken</source>
        <translation>%1 は %2 行目にもあり、そちらを使いました</translation>
    </message>
</context>
<context>
    <name>hxv5::DlgPrint</name>
    <message>
        <source>Print Selection</source>
        <translation>印刷する項目</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preview...</source>
        <translation>プレビュー...</translation>
    </message>
</context>
<context>
    <name>hxv5::EditDialog</name>
    <message>
        <source>Frequency</source>
        <translation>周波数</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Auto Mode and Step</source>
        <translation>モードとステップを自動で選ぶ</translation>
    </message>
    <message>
        <source>Modulation Mode</source>
        <translation>変調方式</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>トーン</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>リバース</translation>
    </message>
    <message>
        <source>TX</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>RX</source>
        <translation>受信</translation>
    </message>
    <message>
        <source>Tuning Step</source>
        <translation>周波数ステップ</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>シフト</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>スプリット</translation>
    </message>
    <message>
        <source>Offset Frequency</source>
        <translation>オフセット周波数</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>TX tone</source>
        <translation>送信トーン</translation>
    </message>
    <message>
        <source>RX tone</source>
        <translation>受信トーン</translation>
    </message>
    <message>
        <source>In MHz, for example 145.5</source>
        <translation>MHz 単位。例: 145.5</translation>
    </message>
    <message>
        <source>In MHz, for example 0.6</source>
        <translation>MHz 単位。例: 0.6</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>プラス</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>マイナス</translation>
    </message>
</context>
<context>
    <name>hxv5::EditSession</name>
    <message>
        <source>Modify Memory</source>
        <translation>メモリーの変更</translation>
    </message>
    <message>
        <source>Modify VFO</source>
        <translation>VFO の変更</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>メモリー</translation>
    </message>
    <message>
        <source>Edit VFO %1</source>
        <translation>VFO %1 の編集</translation>
    </message>
    <message>
        <source>Edit Channel %1</source>
        <translation>チャンネル %1 の編集</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 の編集</translation>
    </message>
</context>
<context>
    <name>hxv5::FileCommands</name>
    <message>
        <source>Import</source>
        <translation>インポート</translation>
    </message>
</context>
<context>
    <name>hxv5::FindBar</name>
    <message>
        <source>Find:</source>
        <translation>検索:</translation>
    </message>
    <message>
        <source>frequency, note or tone</source>
        <translation>周波数、メモ、トーン</translation>
    </message>
    <message>
        <source>Only matching rows</source>
        <translation>一致する行だけ</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>No match</source>
        <translation>一致なし</translation>
    </message>
    <message>
        <source>1 match</source>
        <translation>1 件一致</translation>
    </message>
    <message>
        <source>%1 matches</source>
        <translation>%1 件一致</translation>
    </message>
    <message>
        <source>No channel &quot;%1&quot;: give 0 to 199, P0A to P4B, A-L, A-H or Pri.</source>
        <translation>チャンネル &quot;%1&quot; はありません: 0 ～ 199、P0A ～ P4B、A-L、A-H、Pri のどれかを指定してください。</translation>
    </message>
    <message>
        <source>Channel %1 is hidden: close the find bar&apos;s filter or untick View ▸ Hide Empty Slots to reach it.</source>
        <translation>チャンネル %1 は非表示です。表示するには、検索バーの絞り込みをやめるか、[表示] ▸ [空きｽﾛｯﾄを隠す] のチェックを外してください。</translation>
    </message>
</context>
<context>
    <name>hxv5::HelpWindow</name>
    <message>
        <source>User Guide</source>
        <translation>ユーザーガイド</translation>
    </message>
    <message>
        <source>User guide text</source>
        <translation>ユーザーガイドの本文</translation>
    </message>
</context>
<context>
    <name>hxv5::ImageCompare</name>
    <message>
        <source>on</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>機種</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Lo Volume</source>
        <translation>小音量</translation>
    </message>
    <message>
        <source>Squelch</source>
        <translation>スケルチ</translation>
    </message>
    <message>
        <source>TX Extension</source>
        <translation>送信範囲の拡張</translation>
    </message>
    <message>
        <source>Auto Program</source>
        <translation>オートプログラム</translation>
    </message>
    <message>
        <source>Auto Step</source>
        <translation>オートステップ</translation>
    </message>
    <message>
        <source>Auto Power Off</source>
        <translation>オートパワーオフ</translation>
    </message>
    <message>
        <source>Operating Mode</source>
        <translation>動作モード</translation>
    </message>
    <message>
        <source>Priority Mode</source>
        <translation>プライオリティモード</translation>
    </message>
    <message>
        <source>Bug Sencitive Lebel</source>
        <translation>盗聴器発見の感度</translation>
    </message>
    <message>
        <source>Memory Channel</source>
        <translation>メモリーチャンネル</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>バンド</translation>
    </message>
    <message>
        <source>Tone Burst</source>
        <translation>トーンバースト</translation>
    </message>
    <message>
        <source>Scan on</source>
        <translation>スキャン中</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>スキャンモード</translation>
    </message>
    <message>
        <source>Scan Resume</source>
        <translation>スキャン再開</translation>
    </message>
    <message>
        <source>setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>VFO %1</source>
        <translation>VFO %1</translation>
    </message>
    <message>
        <source>slot %1</source>
        <translation>スロット %1</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効</translation>
    </message>
</context>
<context>
    <name>hxv5::LinkTestPanel</name>
    <message>
        <source>Block address, four hexadecimal digits</source>
        <translation>ブロックのアドレス (16 進数 4 桁)</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読み出し</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>アドレス:</translation>
    </message>
    <message>
        <source>Block:</source>
        <translation>ブロック:</translation>
    </message>
    <message>
        <source>Block text</source>
        <translation>ブロックの内容</translation>
    </message>
</context>
<context>
    <name>hxv5::MainPanels</name>
    <message>
        <source>Settings 1</source>
        <translation>設定 1</translation>
    </message>
    <message>
        <source>Settings 2</source>
        <translation>設定 2</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>メモリー</translation>
    </message>
    <message>
        <source>Settings2</source>
        <translation>設定 2</translation>
    </message>
    <message>
        <source>Memorys</source>
        <translation>メモリー</translation>
    </message>
    <message>
        <source>Program Scan</source>
        <translation>プログラムスキャン</translation>
    </message>
    <message>
        <source>Read Memory</source>
        <translation>メモリーの読み出し</translation>
    </message>
    <message>
        <source>Write Memory</source>
        <translation>メモリーの書き込み</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>中止</translation>
    </message>
</context>
<context>
    <name>hxv5::MainWindow</name>
    <message>
        <source>%1 %2</source>
        <comment>Undo or Redo, then the step it acts on</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The program shows the chosen language from its next start.</source>
        <translation>選んだ言語は次回の起動から使われます。</translation>
    </message>
    <message>
        <source>The channels were in that order already.</source>
        <translation>チャンネルはすでにその順に並んでいます。</translation>
    </message>
    <message>
        <source>A transfer with the radio is running: stop it (Esc) or close the window when it has ended.</source>
        <translation>無線機との通信中です。中止する (Esc) か、終わってからウィンドウを閉じてください。</translation>
    </message>
    <message>
        <source>Go To Channel</source>
        <translation>チャンネルへ移動</translation>
    </message>
    <message>
        <source>Channel (0 to 199, P0A to P4B, A-L, A-H, Pri):</source>
        <translation>チャンネル (0 ～ 199、P0A ～ P4B、A-L、A-H、Pri):</translation>
    </message>
</context>
<context>
    <name>hxv5::PortDialog</name>
    <message>
        <source>COM Port Setup</source>
        <translation>COM ポートセットアップ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>No serial device answers to this port</source>
        <translation>このポートに応答するシリアルデバイスはありません</translation>
    </message>
</context>
<context>
    <name>hxv5::PortDoctor</name>
    <message>
        <source>a folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ソケット</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>ブロックデバイス</translation>
    </message>
    <message>
        <source>a regular file</source>
        <translation>通常のファイル</translation>
    </message>
    <message>
        <source>a device that is no serial port</source>
        <translation>シリアルポートではないデバイス</translation>
    </message>
    <message>
        <source>a terminal of this computer, not a serial port</source>
        <translation>このコンピューターの端末 (シリアルポートではありません)</translation>
    </message>
    <message>
        <source>COM %1 is bound to %2, which %3, or remove the binding</source>
        <translation>COM %1 は %2 に割り当てられています。これは %3。または割り当てを削除してください</translation>
    </message>
    <message>
        <source>is not a serial device: bind it to the radio&apos;s cable</source>
        <translation>シリアルデバイスではありません。無線機のケーブルに割り当ててください</translation>
    </message>
    <message>
        <source>%1 is not a serial device: choose the port the radio&apos;s cable is on</source>
        <translation>%1 はシリアルデバイスではありません。無線機のケーブルがつながっているポートを選んでください</translation>
    </message>
    <message>
        <source>Plug in the radio&apos;s cable: an adapter plugged in after the program started appears without restarting it</source>
        <translation>無線機のケーブルをつないでください。プログラムの起動後につないだアダプターも、再起動せずに現れます</translation>
    </message>
    <message>
        <source>is not there: start what provides it again</source>
        <translation>存在しません。それを提供するものを起動し直してください</translation>
    </message>
    <message>
        <source>%1 has gone: plug the cable in again</source>
        <translation>%1 がなくなりました。ケーブルをつなぎ直してください</translation>
    </message>
    <message>
        <source>Only the owner of %1 may use it: let everybody read and write it (until it is plugged in again)</source>
        <translation>%1 は所有者しか使えません。全員が読み書きできるようにしてください (つなぎ直すまで有効)</translation>
    </message>
    <message>
        <source>You belong to the group %1 that owns %2, but this session started before you joined it: log out and in again, or start a shell in the group</source>
        <translation>%2 を所有するグループ %1 に属していますが、このセッションは加入前に始まっています。ログインし直すか、そのグループでシェルを起動してください</translation>
    </message>
    <message>
        <source>Add yourself to the group %1 that owns %2, then log out and in again</source>
        <translation>%2 を所有するグループ %1 に自分を加え、ログインし直してください</translation>
    </message>
    <message>
        <source>ModemManager takes serial adapters for modems and holds them: stop it and keep it from starting again</source>
        <translation>ModemManager がシリアルアダプターをモデムとして使っています。停止して、再び起動しないようにしてください</translation>
    </message>
    <message>
        <source>%1 (process %2) has %3 open: close the port there, or end it</source>
        <translation>%1 (プロセス %2) が %3 を開いています。そちらでポートを閉じるか、終了させてください</translation>
    </message>
    <message>
        <source>Another program has %1 open: close it there. To see which one</source>
        <translation>別のプログラムが %1 を開いています。そちらで閉じてください。どのプログラムかを調べるには</translation>
    </message>
    <message>
        <source>brltty takes CH340 and CP210x adapters for braille displays and takes their serial device away: remove it</source>
        <translation>brltty が CH340 と CP210x のアダプターを点字ディスプレイとして使い、シリアルデバイスを奪っています。削除してください</translation>
    </message>
    <message>
        <source>or, if you need it for a braille display, mask its device service</source>
        <translation>または、点字ディスプレイに必要なら、そのデバイスサービスをマスクしてください</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>使用可</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>権限がありません</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>使用中</translation>
    </message>
    <message>
        <source>busy (%1)</source>
        <translation>使用中 (%1)</translation>
    </message>
    <message>
        <source>not a serial device: %1</source>
        <translation>シリアルデバイスではありません: %1</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Plug in the radio&apos;s cable and choose the COM number Windows gives it (Device Manager, &quot;Ports (COM &amp; LPT)&quot;): a cable plugged in after the program started appears without restarting it</source>
        <translation>無線機のケーブルをつなぎ、Windows が割り当てた COM 番号を選んでください (デバイス マネージャーの &quot;ポート (COM と LPT)&quot;)。プログラムの起動後につないだケーブルも、再起動せずに現れます</translation>
    </message>
    <message>
        <source>Another program has %1 open: close the port there, or end that program</source>
        <translation>別のプログラムが %1 を開いています。そちらでポートを閉じるか、そのプログラムを終了してください</translation>
    </message>
</context>
<context>
    <name>hxv5::PrintController</name>
    <message>
        <source>Print Preview</source>
        <translation>印刷プレビュー</translation>
    </message>
</context>
<context>
    <name>hxv5::PrintSelection</name>
    <message>
        <source>Settings1</source>
        <translation>設定 1</translation>
    </message>
    <message>
        <source>VFO Data</source>
        <translation>VFO データ</translation>
    </message>
    <message>
        <source>Settings2</source>
        <translation>設定 2</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>メモリー</translation>
    </message>
</context>
<context>
    <name>hxv5::PrinterSetupDialog</name>
    <message>
        <source>Print Setup</source>
        <translation>プリンターの設定</translation>
    </message>
    <message>
        <source>No printer installed</source>
        <translation>プリンターがありません</translation>
    </message>
    <message>
        <source>Page Setup...</source>
        <translation>ページ設定...</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>プリンター:</translation>
    </message>
</context>
<context>
    <name>hxv5::ProgramTexts</name>
    <message>
        <source>Tormel HX-V5 Clone Utility</source>
        <translation>Tormel HX-V5 クローン ユーティリティ</translation>
    </message>
    <message>
        <source>Version 0.10.00 Beta</source>
        <translation>バージョン 0.10.00 ベータ</translation>
    </message>
</context>
<context>
    <name>hxv5::RowClipboard</name>
    <message>
        <source>there is no slot left below Pri</source>
        <translation>Pri より下に空きスロットがありません</translation>
    </message>
    <message>
        <source>%1 pasted, %2 skipped.</source>
        <translation>%1を貼り付け、%2をスキップしました。</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Paste replaces the channel in 1 slot.</source>
        <translation>貼り付けると 1 スロットのチャンネルが置き換わります。</translation>
    </message>
    <message>
        <source>Paste replaces the channels in %1 slots.</source>
        <translation>貼り付けると %1 スロットのチャンネルが置き換わります。</translation>
    </message>
    <message>
        <source>Are you sure that you want to paste over them?</source>
        <translation>上書きして貼り付けてもよろしいですか?</translation>
    </message>
    <message>
        <source>PASTE OK</source>
        <translation>貼り付けの確認</translation>
    </message>
    <message>
        <source>The rows go to the rows shown; the hidden rows between them stay as they are.</source>
        <translation>行は表示中の行に入ります。間にある非表示の行はそのままです。</translation>
    </message>
</context>
<context>
    <name>hxv5::RowGrid</name>
    <message>
        <source>The arrow keys move between the cells; typing edits the current cell; Enter or F2 opens the row in the edit dialog.</source>
        <translation>矢印キーでセルを移動し、文字を入力するとそのセルを編集します。Enter または F2 で、その行を編集画面で開きます。</translation>
    </message>
</context>
<context>
    <name>hxv5::SettingsBinder</name>
    <message>
        <source>Change %1</source>
        <translation>%1の変更</translation>
    </message>
</context>
<context>
    <name>hxv5::SettingsPage1</name>
    <message>
        <source>Settings 1</source>
        <translation>設定 1</translation>
    </message>
    <message>
        <source>Write Settings</source>
        <translation>設定の書き込み</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>設定の読み出し</translation>
    </message>
    <message>
        <source>TX Extension</source>
        <translation>送信範囲の拡張</translation>
    </message>
    <message>
        <source>Auto Program</source>
        <translation>オートプログラム</translation>
    </message>
    <message>
        <source>Auto Step</source>
        <translation>オートステップ</translation>
    </message>
    <message>
        <source>Auto Power Off</source>
        <translation>オートパワーオフ</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>機種</translation>
    </message>
    <message>
        <source>Squelch</source>
        <translation>スケルチ</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Lo Volume</source>
        <translation>小音量</translation>
    </message>
</context>
<context>
    <name>hxv5::SettingsPage2</name>
    <message>
        <source>Settings2</source>
        <translation>設定 2</translation>
    </message>
    <message>
        <source>Operating Mode</source>
        <translation>動作モード</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Bug Sencitive Lebel</source>
        <translation>盗聴器発見の感度</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>バンド</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>設定の読み出し</translation>
    </message>
    <message>
        <source>Write Settings</source>
        <translation>設定の書き込み</translation>
    </message>
    <message>
        <source>Tone Burst</source>
        <translation>トーンバースト</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>スキャン</translation>
    </message>
    <message>
        <source>Scan on</source>
        <translation>スキャン中</translation>
    </message>
    <message>
        <source>Scan Resume</source>
        <translation>スキャン再開</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>モード:</translation>
    </message>
    <message>
        <source>Memory channel</source>
        <translation>メモリーチャンネル</translation>
    </message>
    <message>
        <source>Scan mode</source>
        <translation>スキャンモード</translation>
    </message>
</context>
<context>
    <name>hxv5::SettingsTexts</name>
    <message>
        <source>VFO</source>
        <translation>VFO</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>メモリー</translation>
    </message>
    <message>
        <source>Bug</source>
        <translation>盗聴器発見</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>プライオリティ</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Busy Scan</source>
        <translation>ビジースキャン</translation>
    </message>
    <message>
        <source>Timer Scan</source>
        <translation>タイマースキャン</translation>
    </message>
    <message>
        <source>Keylock</source>
        <translation>キーロック</translation>
    </message>
    <message>
        <source>Write Protect</source>
        <translation>書き込み禁止</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>バッテリーセーブ</translation>
    </message>
    <message>
        <source>Earphone Antenna</source>
        <translation>イヤホンアンテナ</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>ビープ音</translation>
    </message>
    <message>
        <source>DoReMi</source>
        <translation>ドレミ</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Bell</source>
        <translation>ベル</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>機種</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Squelch</source>
        <translation>スケルチ</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>バンド</translation>
    </message>
    <message>
        <source>Memory Channel</source>
        <translation>メモリーチャンネル</translation>
    </message>
    <message>
        <source>Operating Mode</source>
        <translation>動作モード</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>スキャン</translation>
    </message>
    <message>
        <source>Priority Mode</source>
        <translation>プライオリティモード</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>スキャンモード</translation>
    </message>
    <message>
        <source>Auto Power Off</source>
        <translation>オートパワーオフ</translation>
    </message>
    <message>
        <source>Bug Level</source>
        <translation>盗聴器発見の感度</translation>
    </message>
    <message>
        <source>Tone Burst</source>
        <translation>トーンバースト</translation>
    </message>
    <message>
        <source>Function Flag</source>
        <translation>機能</translation>
    </message>
    <message>
        <source>Auto Program</source>
        <translation>オートプログラム</translation>
    </message>
    <message>
        <source>Auto Step</source>
        <translation>オートステップ</translation>
    </message>
    <message>
        <source>Lo Volume</source>
        <translation>小音量</translation>
    </message>
    <message>
        <source>TX Extension</source>
        <translation>送信範囲の拡張</translation>
    </message>
    <message>
        <source>Scan Resume</source>
        <translation>スキャン再開</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>トーン</translation>
    </message>
</context>
<context>
    <name>hxv5::SortDialog</name>
    <message>
        <source>Sort Channels</source>
        <translation>チャンネルの並べ替え</translation>
    </message>
    <message>
        <source>Sorts the channels of the %1 selected rows.</source>
        <translation>選択した %1 行のチャンネルを並べ替えます。</translation>
    </message>
    <message>
        <source>Sorts channels 0 to 199.</source>
        <translation>チャンネル 0 ～ 199 を並べ替えます。</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>降順</translation>
    </message>
    <message>
        <source>Empty slots go last; the special rows stay.</source>
        <translation>空きスロットは最後に並び、特別な行は動きません。</translation>
    </message>
    <message>
        <source>Sorts the shown channels of 0 to 199; the %1 hidden rows stay as they are.</source>
        <translation>0 ～ 199 のうち表示中のチャンネルを並べ替えます。非表示の %1 行はそのままです。</translation>
    </message>
</context>
<context>
    <name>hxv5::SplashWindow</name>
    <message>
        <source>Loading...</source>
        <translation>読み込んでいます...</translation>
    </message>
</context>
<context>
    <name>hxv5::TableTexts</name>
    <message>
        <source>Priority</source>
        <translation>プライオリティ</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>周波数</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>ステップ</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>ﾄｰﾝ</translation>
    </message>
    <message>
        <source>TxTone</source>
        <translation>送信ﾄｰﾝ</translation>
    </message>
    <message>
        <source>RxTone</source>
        <translation>受信ﾄｰﾝ</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>シフト</translation>
    </message>
    <message>
        <source>ShiftFreq.</source>
        <translation>オフセット</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Air</source>
        <translation>エアー</translation>
    </message>
    <message>
        <source>Rev.</source>
        <translation>ﾘﾊﾞｰｽ</translation>
    </message>
    <message>
        <source>AM</source>
        <translation>AM</translation>
    </message>
    <message>
        <source>WFM</source>
        <translation>WFM</translation>
    </message>
    <message>
        <source>FM</source>
        <translation>FM</translation>
    </message>
    <message>
        <source>TSQ</source>
        <translation>TSQ</translation>
    </message>
    <message>
        <source>Rev</source>
        <translation>ﾘﾊﾞｰｽ</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>+Shift</source>
        <translation>+ｼﾌﾄ</translation>
    </message>
    <message>
        <source>-Shift</source>
        <translation>-ｼﾌﾄ</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>ｽﾌﾟﾘｯﾄ</translation>
    </message>
</context>
<context>
    <name>hxv5::TestPanelDock</name>
    <message>
        <source>Test</source>
        <translation>テスト</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>ページ</translation>
    </message>
</context>
<context>
    <name>hxv5::TransferPlan</name>
    <message>
        <source>The radio holds 1 channel that this write clears: %1</source>
        <translation>この書き込みで消える 1 チャンネルが無線機にあります: %1</translation>
    </message>
    <message>
        <source>The radio holds %1 channels that this write clears: %2</source>
        <translation>この書き込みで消える %1 チャンネルが無線機にあります: %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>.</source>
        <comment>the end of a sentence</comment>
        <translation>。</translation>
    </message>
</context>
<context>
    <name>hxv5::TransferRunner</name>
    <message>
        <source>COM Port Error</source>
        <translation>COM ポート エラー</translation>
    </message>
    <message>
        <source>Communication Error</source>
        <translation>通信エラー</translation>
    </message>
</context>
<context>
    <name>hxv5::TransferWiring</name>
    <message>
        <source>Reading what the radio holds</source>
        <translation>無線機の内容を読み出しています</translation>
    </message>
    <message>
        <source>Writing 1 changed block</source>
        <translation>変更のあった 1 ブロックを書き込んでいます</translation>
    </message>
    <message>
        <source>Writing 1 block</source>
        <translation>1 ブロックを書き込んでいます</translation>
    </message>
    <message>
        <source>Writing %1 changed blocks</source>
        <translation>変更のあった %1 ブロックを書き込んでいます</translation>
    </message>
    <message>
        <source>Writing %1 blocks</source>
        <translation>%1 ブロックを書き込んでいます</translation>
    </message>
    <message>
        <source>Verifying 1 block</source>
        <translation>1 ブロックを照合しています</translation>
    </message>
    <message>
        <source>Verifying %1 blocks</source>
        <translation>%1 ブロックを照合しています</translation>
    </message>
    <message>
        <source>: the radio held every block already</source>
        <translation> (無線機はすべてのブロックを保持済みでした)</translation>
    </message>
    <message>
        <source>: 1 changed block written</source>
        <translation> (変更のあった 1 ブロックを書き込みました)</translation>
    </message>
    <message>
        <source>: %1 changed blocks written</source>
        <translation> (変更のあった %1 ブロックを書き込みました)</translation>
    </message>
    <message>
        <source>, verified</source>
        <translation>、照合済み</translation>
    </message>
    <message>
        <source>%1 completed</source>
        <translation>%1が終わりました</translation>
    </message>
</context>
<context>
    <name>hxv5::Transfers</name>
    <message>
        <source>%1 differs from what was written</source>
        <translation>%1 が書き込んだ内容と違います</translation>
    </message>
    <message>
        <source>Verify Error</source>
        <translation>照合エラー</translation>
    </message>
    <message>
        <source>Nothing was written: the radio holds what it held before.</source>
        <translation>何も書き込んでいません。無線機の内容は元のままです。</translation>
    </message>
    <message>
        <source>Written before the stop: %1.</source>
        <translation>中断までに書き込んだもの: %1。</translation>
    </message>
    <message>
        <source>The radio did not confirm %1: it may hold the new or the old text.</source>
        <translation>無線機は %1 の書き込みを確認しませんでした。新旧どちらの内容かわかりません。</translation>
    </message>
    <message>
        <source>Reading back stopped at %1.</source>
        <translation>%1 で読み戻しが止まりました。</translation>
    </message>
    <message>
        <source>The other blocks hold what the radio held before.</source>
        <translation>ほかのブロックは元のままです。</translation>
    </message>
    <message>
        <source>Check the cable and the radio, then write again.</source>
        <translation>ケーブルと無線機を確かめてから、もう一度書き込んでください。</translation>
    </message>
    <message>
        <source>To put back what the radio held instead, open the backup and write it.</source>
        <translation>無線機を元に戻すには、バックアップを開いて書き込んでください。</translation>
    </message>
    <message>
        <source>What the radio held before this write is kept in %1.</source>
        <translation>書き込み前の無線機の内容は %1 に保存してあります。</translation>
    </message>
    <message>
        <source>What the radio held before this write could not be kept.</source>
        <translation>書き込み前の無線機の内容を保存できませんでした。</translation>
    </message>
    <message>
        <source>No copy of what the radio held was taken before this write.</source>
        <translation>書き込み前の無線機の内容は保存していません。</translation>
    </message>
    <message>
        <source>Read Memory</source>
        <translation>メモリーの読み出し</translation>
    </message>
    <message>
        <source>Write Memory</source>
        <translation>メモリーの書き込み</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>設定の読み出し</translation>
    </message>
    <message>
        <source>Write Settings</source>
        <translation>設定の書き込み</translation>
    </message>
    <message>
        <source>%1 was not started: the transfer was stopped.</source>
        <translation>%1は始めませんでした: 通信を中止したためです。</translation>
    </message>
    <message>
        <source>%1 stopped at %2.</source>
        <translation>%1は %2 で止まりました。</translation>
    </message>
    <message>
        <source>%1 stopped before %2.</source>
        <translation>%1は %2 の前で止まりました。</translation>
    </message>
    <message>
        <source>What was read before it is kept.</source>
        <translation>それまでに読み出した内容は残っています。</translation>
    </message>
    <message>
        <source>Nothing has changed.</source>
        <translation>何も変わっていません。</translation>
    </message>
</context>
<context>
    <name>hxv5::VfoGrid</name>
    <message>
        <source>VFO table</source>
        <translation>VFO 表</translation>
    </message>
</context>
<context>
    <name>hxv5::WidgetInteraction</name>
    <message>
        <source>CHIRP CSV (*.csv)</source>
        <translation>CHIRP CSV (*.csv)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>Tormel HX-V5 Clone Files (*.TV5)</source>
        <translation>Tormel HX-V5 クローンファイル (*.TV5)</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV ファイル (*.csv)</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Write Memory</source>
        <translation>メモリーの書き込み</translation>
    </message>
    <message>
        <source>%1 Write anyway?</source>
        <translation>%1 このまま書き込みますか?</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>変更の保存</translation>
    </message>
    <message>
        <source>Save changes to settings?</source>
        <translation>変更を保存しますか?</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>CSV のインポート</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>何も変更していません。</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>CSV のエクスポート</translation>
    </message>
    <message>
        <source>1 channel was written otherwise than the tables hold it.</source>
        <translation>1 チャンネルを表の内容とは違う形で書き出しました。</translation>
    </message>
    <message>
        <source>%1 channels were written otherwise than the tables hold them.</source>
        <translation>%1 チャンネルを表の内容とは違う形で書き出しました。</translation>
    </message>
    <message>
        <source>Edit Selected Channels</source>
        <translation>選択したチャンネルの編集</translation>
    </message>
</context>
</TS>
