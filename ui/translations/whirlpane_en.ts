<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<!-- English texts of the windows.  The source of each message is the
     Japanese text exactly as the window shows it (trailing and full-width
     blanks included), as held in the windows' *_texts.h headers; the
     windows look each one up through uiText (gui/language.h). -->
<context>
    <name>Whirlpane</name>
    <message>
        <source>塗り潰し</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>ラインを黒く</source>
        <translation>Black lines</translation>
    </message>
    <message>
        <source>計算スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>粒子の描画スピード</source>
        <translation>Particle speed</translation>
    </message>
    <message>
        <source>速度ベクトル図を描きます</source>
        <translation>Draw the velocity vectors</translation>
    </message>
    <message>
        <source>渦度分布図を描きます</source>
        <translation>Draw the vorticity map</translation>
    </message>
    <message>
        <source>圧力分布図を描きます</source>
        <translation>Draw the pressure map</translation>
    </message>
    <message>
        <source>密度分布図を描きます</source>
        <translation>Draw the density map</translation>
    </message>
    <message>
        <source>縮小します</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>拡大します</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>図を上へ動かします</source>
        <translation>Move the picture up</translation>
    </message>
    <message>
        <source>図を下へ動かします</source>
        <translation>Move the picture down</translation>
    </message>
    <message>
        <source>図を左へ動かします</source>
        <translation>Move the picture left</translation>
    </message>
    <message>
        <source>図を右へ動かします</source>
        <translation>Move the picture right</translation>
    </message>
    <message>
        <source>Whirlpane の終了   </source>
        <translation>Quit Whirlpane</translation>
    </message>
    <message>
        <source>パターン  </source>
        <translation>Patterns</translation>
    </message>
    <message>
        <source>パターン　（１） </source>
        <translation>Pattern 1</translation>
    </message>
    <message>
        <source>パターン　（２） </source>
        <translation>Pattern 2</translation>
    </message>
    <message>
        <source>パターン　（３） </source>
        <translation>Pattern 3</translation>
    </message>
    <message>
        <source>パターン　（４） </source>
        <translation>Pattern 4</translation>
    </message>
    <message>
        <source>粒子描画 </source>
        <translation>Particle traces</translation>
    </message>
    <message>
        <source>粒子描画 (高速) </source>
        <translation>Particle traces (fast)</translation>
    </message>
    <message>
        <source>粒子描画 (超高速) </source>
        <translation>Particle traces (fastest)</translation>
    </message>
    <message>
        <source>編集  </source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>全てを選択 </source>
        <translation>Select all columns</translation>
    </message>
    <message>
        <source>列ごとに選択 </source>
        <translation>Select by column</translation>
    </message>
    <message>
        <source>モデル確認</source>
        <translation>Model check</translation>
    </message>
    <message>
        <source>メッシュ</source>
        <translation>Grids</translation>
    </message>
    <message>
        <source>BY_L_R１　主←補助</source>
        <translation>Links: main grid ← auxiliary grids</translation>
    </message>
    <message>
        <source>穴－領域</source>
        <translation>Holes</translation>
    </message>
    <message>
        <source>穴－領域-2</source>
        <translation>Holes 2</translation>
    </message>
    <message>
        <source>　　　　　　　　　　　　　　　　　　　 </source>
        <translation>                                        </translation>
    </message>
    <message>
        <source>Whirlpane について</source>
        <translation>About Whirlpane</translation>
    </message>
    <message>
        <source>バージョン情報等</source>
        <translation>Version and documentation</translation>
    </message>
    <message>
        <source>　繰り返し１００回以上、計算して下さい</source>
        <translation>  Particle traces need a run of at least 100 steps</translation>
    </message>
    <message>
        <source>形状－配置　設定</source>
        <translation>Shapes and layout</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Apply to</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>All</translation>
    </message>
    <message>
        <source>選択列ごと</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>選択列：%1</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <source>形状</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>円</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>四角</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>三角</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>平板</source>
        <translation>Plate</translation>
    </message>
    <message>
        <source>楕円</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>個数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>上下間隔</source>
        <translation>Spacing</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Turn</translation>
    </message>
    <message>
        <source>全体の回転</source>
        <translation>Turn all</translation>
    </message>
    <message>
        <source>列数</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>増やします</source>
        <translation>More</translation>
    </message>
    <message>
        <source>減らします</source>
        <translation>Less</translation>
    </message>
    <message>
        <source>「%1」は整数ではありません。整数を入力して下さい。</source>
        <translation>“%1” is not a whole number. Please enter a whole number.</translation>
    </message>
    <message>
        <source>Whirlpane　について</source>
        <translation>About Whirlpane</translation>
    </message>
    <message>
        <source>Whirlpane バージョン </source>
        <translation>Whirlpane version </translation>
    </message>
    <message>
        <source>　作成者　</source>
        <translation>  by </translation>
    </message>
    <message>
        <source>Whirlpane プロジェクト</source>
        <translation>the Whirlpane project</translation>
    </message>
    <message>
        <source>　　　にリンク</source>
        <translation>   (open)</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>「%1」を開くアプリケーションがありません。</source>
        <translation>No application is set up to open &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>続けて計算</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>結果 </source>
        <translation>Results</translation>
    </message>
    <message>
        <source>収束履歴</source>
        <translation>Convergence history</translation>
    </message>
    <message>
        <source>流体力</source>
        <translation>Forces</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>物体</source>
        <translation>Body</translation>
    </message>
    <message>
        <source>圧力降下（流入列 − 出口）</source>
        <translation>Pressure drop (inflow column − outlet)</translation>
    </message>
    <message>
        <source>クリップボードにコピー</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>計算結果がありません（計算の後に表示されます）</source>
        <translation>No results yet (they appear after a run)</translation>
    </message>
    <message>
        <source>計算回数</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>密度残差（RMS）</source>
        <translation>Density residual (RMS)</translation>
    </message>
    <message>
        <source>最大速度</source>
        <translation>Largest speed</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>開く…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>画像を保存…</source>
        <translation>Save picture…</translation>
    </message>
    <message>
        <source>計算結果を保存…</source>
        <translation>Save results…</translation>
    </message>
    <message>
        <source>Whirlpane レイアウト (*.json)</source>
        <translation>Whirlpane layout (*.json)</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>レイアウトファイル「%1」を読み込めません。場所：%2。理由：%3</source>
        <translation>Cannot read the layout file “%1”. Place: %2. Reason: %3</translation>
    </message>
    <message>
        <source>レイアウトファイル「%1」を保存できません。理由：%2</source>
        <translation>Cannot save the layout file “%1”. Reason: %2</translation>
    </message>
    <message>
        <source>ファイル全体</source>
        <translation>the whole file</translation>
    </message>
    <message>
        <source>キー "%1"</source>
        <translation>key "%1"</translation>
    </message>
    <message>
        <source>列 %1 のキー "%2"</source>
        <translation>key "%2" of column %1</translation>
    </message>
    <message>
        <source>列 %1 の物体 %2 のキー "%3"</source>
        <translation>key "%3" of body %2 of column %1</translation>
    </message>
    <message>
        <source>列 %1</source>
        <translation>column %1</translation>
    </message>
    <message>
        <source>列 %1 の物体 %2</source>
        <translation>body %2 of column %1</translation>
    </message>
    <message>
        <source>%1 行 %2 文字目</source>
        <translation>line %1, character %2</translation>
    </message>
    <message>
        <source>ファイルを開けません（%1）</source>
        <translation>the file cannot be opened (%1)</translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>JSON の書式が正しくありません</source>
        <translation>the JSON is not well formed</translation>
    </message>
    <message>
        <source>UTF-8 の文字として読めない部分があります</source>
        <translation>part of it is not valid UTF-8</translation>
    </message>
    <message>
        <source>JSON のオブジェクトではありません</source>
        <translation>not a JSON object</translation>
    </message>
    <message>
        <source>JSON の配列ではありません</source>
        <translation>not a JSON array</translation>
    </message>
    <message>
        <source>文字列ではありません</source>
        <translation>not a string</translation>
    </message>
    <message>
        <source>必要なキーがありません</source>
        <translation>a required key is missing</translation>
    </message>
    <message>
        <source>知らないキーです</source>
        <translation>an unknown key</translation>
    </message>
    <message>
        <source>同じオブジェクトに二度あるキーです</source>
        <translation>a key that appears twice in the same object</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>ファイルが大き過ぎます（上限 %1 バイト）</source>
        <translation>the file is too large (limit %1 bytes)</translation>
    </message>
    <message>
        <source>対応している版は 1 だけです</source>
        <translation>only version 1 is supported</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数ではありません</source>
        <translation>not a whole number from %1 to %2</translation>
    </message>
    <message>
        <source>%1 から %2 までの数ではありません</source>
        <translation>not a number from %1 to %2</translation>
    </message>
    <message>
        <source>要素の数が %1 から %2 までではありません</source>
        <translation>the number of elements is not from %1 to %2</translation>
    </message>
    <message>
        <source>circle、square、triangle、plate、ellipse のいずれでもありません</source>
        <translation>not one of circle, square, triangle, plate, ellipse</translation>
    </message>
    <message>
        <source>classic、uniform のいずれでもありません</source>
        <translation>not one of classic, uniform</translation>
    </message>
    <message>
        <source>local、time-accurate のいずれでもありません</source>
        <translation>not one of local, time-accurate</translation>
    </message>
    <message>
        <source>classic、flow-speed のいずれでもありません</source>
        <translation>not one of classic, flow-speed</translation>
    </message>
    <message>
        <source>flow-speed はマッハ数 %1 以上でしか使えません</source>
        <translation>flow-speed holds only from Mach number %1 on</translation>
    </message>
    <message>
        <source>"flow" のキー "%1"</source>
        <translation>key "%1" of "flow"</translation>
    </message>
    <message>
        <source>"channel" のキー "%1"</source>
        <translation>key "%1" of "channel"</translation>
    </message>
    <message>
        <source>uniform、parabolic のいずれでもありません</source>
        <translation>not one of uniform, parabolic</translation>
    </message>
    <message>
        <source>middle-third、whole のいずれでもありません</source>
        <translation>not one of middle-third, whole</translation>
    </message>
    <message>
        <source>reflecting、non-reflecting のいずれでもありません</source>
        <translation>not one of reflecting, non-reflecting</translation>
    </message>
    <message>
        <source>書き込めません（%1）</source>
        <translation>cannot write (%1)</translation>
    </message>
    <message>
        <source>レイアウトファイルではありません</source>
        <translation>not a layout file</translation>
    </message>
    <message>
        <source>フォルダがありません</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation>not a file</translation>
    </message>
    <message>
        <source>読み取りが許可されていません</source>
        <translation>reading it is not permitted</translation>
    </message>
    <message>
        <source>書き込みが許可されていません</source>
        <translation>writing there is not permitted</translation>
    </message>
    <message>
        <source>ディスクの空きが足りません</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>速さ</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>渦度</source>
        <translation>Vorticity</translation>
    </message>
    <message>
        <source>圧力</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>密度</source>
        <translation>Density</translation>
    </message>
    <message>
        <source>＞</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>画像「%1」を保存できません。理由：%2</source>
        <translation>Cannot save the picture “%1”. Reason: %2</translation>
    </message>
    <message>
        <source>計算結果「%1」を保存できません。理由：%2</source>
        <translation>Cannot save the results “%1”. Reason: %2</translation>
    </message>
    <message>
        <source>流れの条件</source>
        <translation>Flow conditions</translation>
    </message>
    <message>
        <source>流れの条件…</source>
        <translation>Flow conditions…</translation>
    </message>
    <message>
        <source>レイノルズ数（16 単位の長さ）</source>
        <translation>Reynolds number (length of 16 units)</translation>
    </message>
    <message>
        <source>流入のマッハ数</source>
        <translation>Mach number of the inflow</translation>
    </message>
    <message>
        <source>物体格子の粘性</source>
        <translation>Viscosity of the body grids</translation>
    </message>
    <message>
        <source>従来（主格子の 2 倍）</source>
        <translation>Classic (twice the main grid's)</translation>
    </message>
    <message>
        <source>一様</source>
        <translation>Uniform</translation>
    </message>
    <message>
        <source>時間刻み</source>
        <translation>Time step</translation>
    </message>
    <message>
        <source>局所（定常解向き）</source>
        <translation>Local (for steady states)</translation>
    </message>
    <message>
        <source>時間精度（全点で同じ刻み）</source>
        <translation>Time-accurate (one step for all points)</translation>
    </message>
    <message>
        <source>人工粘性の大きさ</source>
        <translation>Artificial dissipation</translation>
    </message>
    <message>
        <source>従来（音速に比例）</source>
        <translation>Classic (with the sound speed)</translation>
    </message>
    <message>
        <source>流速に比例（低マッハ数向き）</source>
        <translation>With the flow speed (for low Mach numbers)</translation>
    </message>
    <message>
        <source>格子の細かさ（1 が従来の格子）</source>
        <translation>Grid fineness (1: the classic grids)</translation>
    </message>
    <message>
        <source>流路</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>寸法を指定する</source>
        <translation>Give its size</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>上流の長さ（入口から最初の列まで）</source>
        <translation>Upstream (inflow to the first column)</translation>
    </message>
    <message>
        <source>下流の長さ（最後の列から出口まで）</source>
        <translation>Downstream (last column to the outlet)</translation>
    </message>
    <message>
        <source>物体の中心線の高さ（流路の中心線から）</source>
        <translation>Bodies&apos; centre line above the channel&apos;s</translation>
    </message>
    <message>
        <source>流入</source>
        <translation>Inflow</translation>
    </message>
    <message>
        <source>放物線（平均が流入速度）</source>
        <translation>Parabolic (mean = inflow speed)</translation>
    </message>
    <message>
        <source>出口</source>
        <translation>Outlet</translation>
    </message>
    <message>
        <source>右壁の中央 3 分の 1</source>
        <translation>Middle third of the right wall</translation>
    </message>
    <message>
        <source>右端全体</source>
        <translation>Whole right edge</translation>
    </message>
    <message>
        <source>流入口と出口</source>
        <translation>Ends</translation>
    </message>
    <message>
        <source>反射する（従来）</source>
        <translation>Reflecting (classic)</translation>
    </message>
    <message>
        <source>音波を反射しない</source>
        <translation>Non-reflecting (sound leaves)</translation>
    </message>
    <message>
        <source>流入を静止から立ち上げる時間（D/U∞、0 で瞬時）</source>
        <translation>Start time of the inflow from rest (D/U∞, 0 at once)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cd（圧力）</source>
        <translation>Cd (pressure)</translation>
    </message>
    <message>
        <source>Cd（粘性）</source>
        <translation>Cd (viscous)</translation>
    </message>
    <message>
        <source>Cl（圧力）</source>
        <translation>Cl (pressure)</translation>
    </message>
    <message>
        <source>Cl（粘性）</source>
        <translation>Cl (viscous)</translation>
    </message>
    <message>
        <source>基準量　D = 物体の大きさ／16、ρ∞ = %1、U∞ = %2、μ（主格子）= %3、μ（物体格子）= %4、Re = %5、Mach = %6</source>
        <translation>References: D = body size / 16, ρ∞ = %1, U∞ = %2, μ (main grid) = %3, μ (body grids) = %4, Re = %5, Mach = %6</translation>
    </message>
    <message>
        <source>時間精度の計算　t U∞／D = %1</source>
        <translation>Time-accurate run: t U∞ / D = %1</translation>
    </message>
    <message>
        <source>CSV で保存…</source>
        <translation>Save as CSV…</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>CSV ファイルを保存できませんでした。</source>
        <translation>The CSV file could not be saved.</translation>
    </message>
    <message>
        <source>計算の長さ…</source>
        <translation>Run length…</translation>
    </message>
    <message>
        <source>計算の長さ</source>
        <translation>Run length</translation>
    </message>
    <message>
        <source>計算回数（最大）</source>
        <translation>Steps (at most)</translation>
    </message>
    <message>
        <source>抗力が落ち着いたら終了</source>
        <translation>End when the drag has settled</translation>
    </message>
    <message>
        <source>平均抗力の変化の許容（割合）</source>
        <translation>Allowed change of the mean drag (fraction)</translation>
    </message>
    <message>
        <source>平均をとる回数</source>
        <translation>Steps in each mean</translation>
    </message>
    <message>
        <source>%1 回の計算</source>
        <translation>A run of %1 steps</translation>
    </message>
    <message>
        <source>抗力が落ち着くまで（最大 %1 回）</source>
        <translation>Until the drag settles (at most %1 steps)</translation>
    </message>
    <message>
        <source>抗力が落ち着いて %1 回で終了</source>
        <translation>The drag settled; ended at step %1</translation>
    </message>
    <message>
        <source>%1[*] - Whirlpane</source>
        <translation>%1[*] - Whirlpane</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>%1 を保存しました</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>%1 のレイアウトの変更を保存しますか？</source>
        <translation>Save the changes to the layout of %1?</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる</source>
        <translation>Fit to window</translation>
    </message>
    <message>
        <source>表示を元に戻す</source>
        <translation>Reset view</translation>
    </message>
    <message>
        <source>設定</source>
        <comment>menu</comment>
        <translation>Settings</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>x %1 y %2</source>
        <translation>x %1 y %2</translation>
    </message>
    <message>
        <source>  ρ %1 p %2 |u| %3 ω %4</source>
        <translation>  ρ %1 p %2 |u| %3 ω %4</translation>
    </message>
    <message>
        <source>流れの計算を始めます</source>
        <translation>Start computing the flow</translation>
    </message>
    <message>
        <source>画面の流れから計算を続けます</source>
        <translation>Continue computing from the flow on screen</translation>
    </message>
    <message>
        <source>計算を止めます</source>
        <translation>Stop the computation</translation>
    </message>
    <message>
        <source>分布図の等値線の間を塗り潰します</source>
        <translation>Fill the bands between the contour lines of the maps</translation>
    </message>
    <message>
        <source>分布図の等値線を黒で描きます</source>
        <translation>Draw the contour lines of the maps in black</translation>
    </message>
    <message>
        <source>粒子を描く速さ：右ほど速く描きます</source>
        <translation>Speed of the particle traces: faster towards the right</translation>
    </message>
    <message>
        <source>%1 単位</source>
        <translation>%1 units</translation>
    </message>
    <message>
        <source>すべての列を同じに設定します</source>
        <translation>Set every column alike</translation>
    </message>
    <message>
        <source>選択した列だけを設定します（図の物体をクリックして列を選びます）</source>
        <translation>Set the selected column only (click a body in the picture to select its column)</translation>
    </message>
    <message>
        <source>物体の形状を選びます</source>
        <translation>Choose the shape of the bodies</translation>
    </message>
    <message>
        <source>列の物体の個数</source>
        <translation>Number of bodies in a column</translation>
    </message>
    <message>
        <source>配置全体の回転角（度）</source>
        <translation>Turn of the whole arrangement (degrees)</translation>
    </message>
    <message>
        <source>物体の回転角（度、整数を入力）</source>
        <translation>Turn of the bodies (degrees, type a whole number)</translation>
    </message>
    <message>
        <source>列の物体の上下間隔（レイアウト単位）</source>
        <translation>Spacing of a column's bodies across the channel (layout units)</translation>
    </message>
    <message>
        <source>楕円の横と縦の比</source>
        <translation>Ratio of the ellipses' x axis to their y axis</translation>
    </message>
    <message>
        <source>物体の大きさ（レイアウト単位、整数を入力）</source>
        <translation>Size of the bodies (layout units, type a whole number)</translation>
    </message>
    <message>
        <source>列の数</source>
        <translation>Number of columns</translation>
    </message>
    <message>
        <source>表面の分布</source>
        <translation>Surface distribution</translation>
    </message>
    <message>
        <source>物体 %1（列 %2、下から %3 番目）</source>
        <translation>Body %1 (column %2, number %3 from below)</translation>
    </message>
    <message>
        <source>角度（度、前縁から時計回り）</source>
        <translation>Angle (degrees, clockwise from the front)</translation>
    </message>
    <message>
        <source>表面に沿った長さ（前縁から、レイアウト単位）</source>
        <translation>Length along the surface (from the front, layout units)</translation>
    </message>
    <message>
        <source>剥離点</source>
        <translation>Separation</translation>
    </message>
    <message>
        <source>再付着点</source>
        <translation>Reattachment</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Cp = (p − p∞)／(½ρ∞U∞²)、Cf = τw／(½ρ∞U∞²)、p∞ = 1、ρ∞ = 1（流入の自由流）。τw は前縁から時計回りの向きを正とする壁面せん断応力。</source>
        <translation>Cp = (p − p∞)/(½ρ∞U∞²), Cf = τw/(½ρ∞U∞²), p∞ = 1, ρ∞ = 1 (the inflow's free stream). τw is the wall shear stress, positive clockwise from the front.</translation>
    </message>
</context>
</TS>
