# name: SBASIC DEMO
# An S-BASIC program written for DETOKEN's example: keywords, two-byte
# keywords, every kind of numeric constant, strings, REM and DATA text with
# katakana, and the kanji codes. Build its image with:
#   mkimage examples/sbasic_demo.bas examples/sbasic_demo.mzt
10 REM *** ﾃﾞﾓ ﾌﾟﾛｸﾞﾗﾑ - ｶﾚﾝﾀﾞｰ ***
20 CLS:COLOR 7,0:CURSOR 0,0
30 PRINT "ｺﾝﾆﾁﾊ! 2026年12月9日(水)"
40 DIM D$(6):RESTORE 200
50 FOR I=0 TO 6:READ D$(I):NEXT I
60 PRINT "ﾋﾞｮｳ: ";TI$:T=1.5E-07:U=1000000:V=1234567:W=-2.5
70 X=$C000:Y=$FF:Z=PEEK($1200)+0.5
80 IF X>Y THEN 120
90 GOSUB 300:GOTO 80
100 PRINT USING "###.##";π*2;TAB(5);SPC(2);CHR$(65)
110 MUSIC "C3D3E3":TEMPO 4:SET 10,20:RESET 10,20
120 A$=LEFT$("ABCDEF",3)+MID$("XYZ",2,1)+RIGHT$(STR$(SQR(2)),4)
130 PRINT A$;" ";INT(RND(1)*100);" ";ABS(-7);" ";LEN(A$)
140 ON I GOTO 100,110,120
150 REM ﾌﾞﾝｼｮｳ "ｺﾛﾝ:ﾉ ｱﾄ" ﾓ REM
160 PRINT "円 ￥ ￡ 時 分 秒 生 年 日 月 火 水 木 金 土"
170 END
200 DATA ﾆﾁ,ｹﾞﾂ,ｶ,ｽｲ,ﾓｸ,ｷﾝ,ﾄﾞ:PRINT "DATA ﾉ ｱﾄ"
300 RETURN
