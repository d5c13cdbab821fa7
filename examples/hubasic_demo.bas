# name: HUBASIC DEMO
# A HuBASIC program written for DETOKEN's example: keywords, two-byte
# keywords, the one-byte digits, every kind of word and real constant, the
# colon left out before ELSE and before a ' comment, strings, REM and DATA
# text with katakana, and the kanji codes. Build its image with:
#   mkimage -h examples/hubasic_demo.bas examples/hubasic_demo.mzt
10 REM *** HUBASIC ﾉ ﾃﾞﾓ ***
20 CLS:COLOR 7:LOCATE 0,0 'ｶﾞﾒﾝ ｦ ｹｽ - "ｺﾛﾝ:" ﾓ ｺﾒﾝﾄ
30 DEFINT I-N:DIM D$(6):RESTORE 300
40 FOR I=0 TO 6:READ D$(I):NEXT I
50 A=&HFF:B=&O17:C=&B101:D=&B0:E=&HFFFF:F=&B1111111111111111
60 G=12345:H=32767:J=1.5:K=0.1#:L=1234567.125#:M=2.5E+20
70 IF A>B THEN 100 ELSE 200
80 WHILE I<9:I=I+1:WEND
90 PRINT USING "##.#";A MOD 7;B\2;TAB(5);HEX$(C);INKEY$
100 PLAY "CDE":BEEP:PSET(1,2):CIRCLE(50,50),10
110 PRINT CHARACTER$(1);TIME$;LEFT$(D$(0),1) 'ｺﾚﾓ ｺﾒﾝﾄ
120 ON I GOSUB 400,400:GOTO 500
200 PRINT "日月火水木金土 円￥￡ 生年時分秒"
300 DATA ﾆﾁ,ｹﾞﾂ,ｶ,ｽｲ,ﾓｸ,ｷﾝ,ﾄﾞ
400 RETURN
500 END
