curl -sS -X POST "https://api.payments.test/v1/charges" \
     -u "sk_test_4eC39HqLyjWDarjtT1zdp7dc:" \
     -o /tmp/charge.json \
     -w "%{http_code}\n" \
     --connect-timeout 10 \
     -H "Idempotency-Key: \"a1b2\"" \
     -d amount=2000 \
     -d currency=usd \
     -d "description=Charge for \$5 \`coupon\`"
