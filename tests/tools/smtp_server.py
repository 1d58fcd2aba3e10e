#!/usr/bin/python3
"""SMTP servers for the mail tests, on 127.0.0.1 and a free port.

    smtp_server.py MODE LOG

MODE  accept  aiosmtpd with AUTH LOGIN (user levels@test.example, password secret)
      refuse  the same, refusing every login
      authbusy  a scripted server that answers AUTH LOGIN with 454 (try later)
      tls     the same as accept, offering STARTTLS with a self-signed certificate
      drop    a scripted server that closes the connection in the middle of DATA
      stall   a scripted server that never answers the end of the message
      hangup, noquit  a scripted server that answers RCPT with 251 and takes the
              message, then hangs up on QUIT or never answers it
      reply451, reply554  a scripted server that answers the end of the message so
      silent  a server that accepts connections and never greets
      busy    a server that greets every connection with 421 (a NUL and an escape in
              its text) and closes it
      starttls  a scripted server offering STARTTLS on its first extension line,
              answering STARTTLS with 454
      inject  the same, answering STARTTLS with 220 and a reply more in one piece
The first line on standard output is "PORT n". Every event goes to LOG as
one JSON object per line: {"connection": true} for each connection of a
scripted server, {"command": line} for each command line read,
{"auth": [user, password]}, and {"message": ...} with the envelope, the
headers, the decoded text part and the entries of the zip attachment.
"""
import asyncio
import base64
import email
import email.policy
import io
import json
import sys
import zipfile

MODE, LOG = sys.argv[1], sys.argv[2]
USER, PASSWORD = b"levels@test.example", b"secret"


def record(event):
    with open(LOG, "a", encoding="utf-8") as f:
        f.write(json.dumps(event) + "\n")


def b64(data):
    return base64.b64encode(data).decode("ascii")


def describe(envelope):
    raw = envelope.original_content
    msg = email.message_from_bytes(raw, policy=email.policy.compat32)
    parts = []
    for part in msg.walk():
        if part.is_multipart():
            continue
        payload = part.get_payload(decode=True)
        entry = {"type": part.get_content_type(), "charset": part.get_content_charset(),
                 "filename": part.get_filename(), "bytes": b64(payload)}
        if part.get_filename():
            with zipfile.ZipFile(io.BytesIO(payload)) as z:
                entry["zip_ok"] = z.testzip() is None
                entry["entries"] = [[i.filename, b64(z.read(i))] for i in z.infolist()]
        parts.append(entry)
    longest = max(len(line) for line in raw.split(b"\r\n"))
    return {"from": envelope.mail_from, "to": envelope.rcpt_tos,
            "headers": {k: str(v) for k, v in msg.items()},
            "content_type": msg.get_content_type(), "parts": parts,
            "longest_line": longest}


async def serve_aiosmtpd():
    from aiosmtpd.smtp import SMTP, AuthResult

    class Recorder:
        """Passes the command lines the server reads to the log."""

        def __init__(self, reader):
            self._reader = reader

        def __getattr__(self, name):
            return getattr(self._reader, name)

        async def readuntil(self, separator=b"\n"):
            line = await self._reader.readuntil(separator)
            if separator == b"\n":
                record({"command": line.decode("latin-1").rstrip("\r\n")})
            return line

        async def readline(self):
            line = await self._reader.readline()
            record({"command": line.decode("latin-1").rstrip("\r\n")})
            return line

    class RecordingSMTP(SMTP):
        async def _handle_client(self):
            self._reader = Recorder(self._reader)
            await super()._handle_client()

    class Handler:
        async def handle_DATA(self, server, session, envelope):
            record({"message": describe(envelope)})
            return "250 OK"

    def authenticate(server, session, envelope, mechanism, data):
        record({"auth": [data.login.decode(), data.password.decode()]})
        ok = MODE != "refuse" and (data.login, data.password) == (USER, PASSWORD)
        return AuthResult(success=ok, handled=False)

    tls = None
    if MODE == "tls":
        import os, ssl, subprocess
        folder = os.path.dirname(os.path.abspath(LOG))  # the test's own temporary folder
        key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                        "-subj", "/CN=127.0.0.1", "-keyout", key, "-out", cert],
                       check=True, capture_output=True)
        tls = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        tls.load_cert_chain(cert, key)

    loop = asyncio.get_running_loop()
    return await loop.create_server(
        lambda: RecordingSMTP(Handler(), hostname="test.example", authenticator=authenticate,
                              auth_require_tls=False, auth_required=True, tls_context=tls),
        "127.0.0.1", 0)


async def scripted(reader, writer):
    """Plays the dialogue up to DATA, then drops, stalls, refuses or takes the message;
    or greets with 421, or never greets; or offers STARTTLS on the first
    extension line and then refuses it or sends more than its 220."""
    record({"connection": True})
    if MODE == "silent":
        await reader.read()  # until the client gives up
        return
    if MODE == "busy":
        writer.write(b"421 test.example\0busy\x1b\r\n")
        await writer.drain()
        writer.close()
        return
    tls = MODE in ("starttls", "inject")
    answers = {b"EHLO": b"250-test.example\r\n250-STARTTLS\r\n250 AUTH LOGIN\r\n" if tls else
               b"250-test.example\r\n250 AUTH LOGIN\r\n",
               b"STARTTLS": b"220 go ahead\r\n250 injected\r\n" if MODE == "inject" else
               b"454 TLS not available now\r\n",
               b"AUTH": b"454 try later\r\n" if MODE == "authbusy" else b"334 VXNlcm5hbWU6\r\n",
               b"RSET": b"250 OK\r\n", b"MAIL": b"250 OK\r\n",
               b"RCPT": b"251 will forward\r\n" if MODE in ("hangup", "noquit") else b"250 OK\r\n",
               b"DATA": b"354 go on\r\n"}
    writer.write(b"220 test.example ESMTP\r\n")
    step = 0
    while True:
        line = await reader.readline()
        if not line:
            return
        record({"command": line.decode("latin-1").rstrip("\r\n")})
        verb = line.split()[0].upper() if line.split() else b""
        if verb in answers:
            writer.write(answers[verb])
        else:  # the user name, then the password
            step += 1
            writer.write(b"334 UGFzc3dvcmQ6\r\n" if step == 1 else b"235 OK\r\n")
        if verb == b"DATA":
            break
    if MODE == "drop":
        await reader.readexactly(200)
        writer.transport.abort()
        record({"dropped": True})
        return
    await reader.readuntil(b"\r\n.\r\n")
    if MODE in ("reply451", "reply554"):
        writer.write(MODE[5:].encode() + b" message refused\r\n")
        record({"refused": True})
    elif MODE in ("hangup", "noquit"):
        writer.write(b"250 OK\r\n")
        record({"taken": True})
        await reader.readline()  # QUIT
        if MODE == "hangup":
            writer.close()
            return
    else:
        record({"stalled": True})
    await reader.read()  # until the client gives up


async def main():
    if MODE in ("accept", "refuse", "tls"):
        server = await serve_aiosmtpd()
    else:
        server = await asyncio.start_server(scripted, "127.0.0.1", 0)
    print("PORT", server.sockets[0].getsockname()[1], flush=True)
    await asyncio.sleep(300)  # the test stops it long before
    server.close()


asyncio.run(main())
