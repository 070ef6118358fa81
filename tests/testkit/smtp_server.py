"""A local SMTP server for the tests, with a login.

Usage: smtp_server.py MAILDIR USER PASSWORD
Listens on a free port of the loopback address, prints that port on a line of its own, and
keeps every message it takes in MAILDIR/N (N = 1, 2, ...): envelope.txt ("from ADDRESS",
"to ADDRESS" a recipient, "login NAME"), subject.txt, body.txt (the first text part,
decoded), attachments/NAME (each attachment, decoded) and message.eml (as received).
Serves until it is terminated.
"""
import email
import email.header
import email.policy
import os
import socket
import sys
import threading
import warnings
import logging

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Keeper:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        final = os.path.join(self.folder, str(self.count))
        box = final + ".part"
        os.makedirs(os.path.join(box, "attachments"))
        raw = envelope.original_content or envelope.content
        with open(os.path.join(box, "message.eml"), "wb") as f:
            f.write(raw)
        message = email.message_from_bytes(raw, policy=email.policy.compat32)
        subject = str(email.header.make_header(email.header.decode_header(message.get("Subject", ""))))
        body = b""
        for part in message.walk():
            if part.is_multipart():
                continue
            name = part.get_filename()
            data = part.get_payload(decode=True) or b""
            if name:
                with open(os.path.join(box, "attachments", os.path.basename(name)), "wb") as f:
                    f.write(data)
            elif not body:
                body = data
        with open(os.path.join(box, "subject.txt"), "w", encoding="utf-8") as f:
            f.write(subject)
        with open(os.path.join(box, "body.txt"), "wb") as f:
            f.write(body)
        login = session.auth_data.login.decode() if isinstance(session.auth_data, LoginPassword) else ""
        with open(os.path.join(box, "envelope.txt"), "w", encoding="utf-8") as f:
            f.write("from " + envelope.mail_from + "\n")
            for to in envelope.rcpt_tos:
                f.write("to " + to + "\n")
            f.write("login " + login + "\n")
        os.rename(box, final)
        return "250 Message accepted"


def main():
    folder, user, password = sys.argv[1:4]
    warnings.simplefilter("ignore")
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)

    def check(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user
              and auth_data.password.decode() == password)
        return AuthResult(success=ok, handled=False, auth_data=auth_data)

    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    controller = Controller(Keeper(folder), hostname="127.0.0.1", port=port, authenticator=check,
                            auth_required=True, auth_require_tls=False)
    controller.start()
    print(port, flush=True)
    threading.Event().wait()


if __name__ == "__main__":
    main()
